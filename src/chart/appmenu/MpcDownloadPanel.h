#pragma once

#include "chart/appmenu/MpcProgressPanel.h"

#include <QDialog>
#include <QPoint>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The MPCORB panel: a status line, a progress bar and Cancel. It is placed
// 300 points right of the visible screen area's left edge and 200 below its top.
class MpcDownloadPanel final : public QDialog, public MpcProgressPanel {
public:
    // `screenRect` is the first screen's visible area; `cancel` runs when
    // the user cancels while Cancel is enabled.
    MpcDownloadPanel(const QRect& screenRect, std::function<void()> cancel,
                     QWidget* parent = nullptr);

    void showPanel() override;
    void hidePanel() override;
    bool isPanelVisible() const override { return isVisible(); }
    void setStatus(const QString& text) override;
    void setProgress(std::optional<double> percent) override;
    void setCancelEnabled(bool enabled) override;

protected:
    void reject() override;

private:
    QPoint m_place;
    std::function<void()> m_cancel;
    QLabel* m_mpcDownloadText;
    QProgressBar* m_mpcProgress;
    QPushButton* m_cancelDownloadButton;
};
