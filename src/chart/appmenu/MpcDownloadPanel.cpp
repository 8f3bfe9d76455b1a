#include "chart/appmenu/MpcDownloadPanel.h"

#include "platform/widgets/WindowStacking.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

const QPoint kOffset(300, 200);
constexpr int kWhole = 100;

}  // namespace

MpcDownloadPanel::MpcDownloadPanel(const QRect& screenRect, std::function<void()> cancel,
                                   QWidget* parent)
    : QDialog(parent),
      m_place(screenRect.topLeft() + kOffset),
      m_cancel(std::move(cancel)),
      m_mpcDownloadText(new QLabel(this)),
      m_mpcProgress(new QProgressBar(this)),
      m_cancelDownloadButton(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("MPCORB"));
    setModal(false);
    m_mpcDownloadText->setMinimumWidth(320);
    m_mpcProgress->setRange(0, kWhole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_mpcDownloadText);
    layout->addWidget(m_mpcProgress);
    layout->addWidget(m_cancelDownloadButton, 0, Qt::AlignRight);
    connect(m_cancelDownloadButton, &QPushButton::clicked, this, &MpcDownloadPanel::reject);
}

void MpcDownloadPanel::showPanel()
{
    move(m_place);
    WindowStacking::bringToFront(*this);
}

void MpcDownloadPanel::hidePanel()
{
    m_mpcProgress->setRange(0, kWhole);
    hide();
}

void MpcDownloadPanel::setStatus(const QString& text)
{
    m_mpcDownloadText->setText(text);
    m_mpcDownloadText->repaint();
}

void MpcDownloadPanel::setProgress(std::optional<double> percent)
{
    if (percent) {
        m_mpcProgress->setRange(0, kWhole);
        m_mpcProgress->setValue(int(*percent));
    } else {
        m_mpcProgress->setRange(0, 0);
    }
    // The position pass keeps the event loop waiting while it reports: paint now.
    m_mpcProgress->repaint();
}

void MpcDownloadPanel::setCancelEnabled(bool enabled) { m_cancelDownloadButton->setEnabled(enabled); }

void MpcDownloadPanel::reject()
{
    // Escape and the window's close box cancel too, but only while the
    // download can be cancelled; the processing cannot be broken off.
    if (m_cancelDownloadButton->isEnabled() && m_cancel)
        m_cancel();
}
