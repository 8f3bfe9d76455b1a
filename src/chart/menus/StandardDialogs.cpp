#include "chart/menus/StandardDialogs.h"

#include "chart/printing/PrintModule.h"
#include "platform/DeviceModule.h"
#include "platform/StringTables.h"
#include "platform/widgets/FileChooser.h"
#include "platform/widgets/WindowStacking.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString global(const char* key) { return StringTables::localizedString(QStringLiteral("Global"), QString::fromLatin1(key)); }

}  // namespace

FileMenuActions::Dialogs standardDialogs(QWidget* parent)
{
    using Choice = FileMenuActions::TourCloseChoice;
    FileMenuActions::Dialogs dialogs;
    dialogs.openFile = [parent](const QString& title, const QString& folder, const QString& filter) {
        return FileChooser::openFileName(parent, title, folder, filter);
    };
    dialogs.saveFile = [parent](const QString& title, const QString& folder, const QString& filter) {
        QString path = FileChooser::saveFileName(parent, title, folder, filter);
        if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".txt");
        return path;
    };
    dialogs.askTourClose = [parent] {
        QMessageBox box(parent);
        box.setText(global("What do you want to do with this tour?"));
        box.setInformativeText(global("You can save it, discard it or resume tour creation."));
        QPushButton* save = box.addButton(global("Save"), QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(global("Discard"), QMessageBox::DestructiveRole);
        box.addButton(global("Resume"), QMessageBox::RejectRole);
        box.setDefaultButton(save);
        WindowStacking::execOnTop(box);
        if (box.clickedButton() == save)
            return Choice::Save;
        return box.clickedButton() == discard ? Choice::Discard : Choice::Resume;
    };
    dialogs.makePrinter = [parent]() -> std::unique_ptr<PagePrinter> {
        auto* create = DeviceModule::functionOrWarn<PrintModule::CreatePrinter>(
            PrintModule::kName, PrintModule::kCreatePrinter, QStringLiteral("printing"));
        return create ? create(parent) : nullptr;
    };
    return dialogs;
}
