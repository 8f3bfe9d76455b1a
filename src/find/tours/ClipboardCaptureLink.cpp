#include "find/tours/ClipboardCaptureLink.h"

#include <QClipboard>
#include <QGuiApplication>

void ClipboardCaptureLink::clearContents()
{
    QGuiApplication::clipboard()->clear();
}

void ClipboardCaptureLink::setString(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString ClipboardCaptureLink::string() const
{
    return QGuiApplication::clipboard()->text();
}
