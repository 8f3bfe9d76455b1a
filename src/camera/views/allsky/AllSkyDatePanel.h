#pragma once

#include "model/settings/links/AllSkyDateStamp.h"
#include "platform/widgets/SidePanels.h"

#include <QColor>
#include <QDialog>
#include <QFont>

class AllSkySession;
class PrefControl;
class QButtonGroup;
class QCheckBox;
class QColorDialog;
class QFontDialog;
class QLineEdit;
class QPushButton;

// The date-stamp panel of the all-sky camera: the stamp on or off, UTC or
// local time, seconds, corner, font and colour, and the movie's frame rate,
// codec and quality. Its values reach the session as they change and the
// settings when any window of the program closes.
class AllSkyDatePanel final : public QDialog, public AllSkyDateStamp {
    Q_OBJECT
public:
    // Quality of each cell of the quality matrix (row, column) in reading order.
    static constexpr quint32 kQualities[4] = {1024, 1023, 768, 512};

    AllSkyDatePanel(AllSkySession& session, PrefControl& prefs, QWidget* parent = nullptr);
    ~AllSkyDatePanel() override;

    // AllSkyDateStamp: the stored values at start.
    void setDateColor(const QColor& color) override;
    void setDateFont(const QFont& font) override;
    void setDateFPS(float framesPerSecond) override;
    void setDateMovieDict(int codec, quint32 quality) override;
    void setDatePosn(int position, bool isUTC, bool isSec) override;

    // Both the date and the movie check box (FITS unticks them).
    void setDateMovieCheckbox(bool on);
    // Applies the panel's values and stores them (a window closed).
    void closeButtonHit();

    QColor dateColor() const { return m_dateColor; }
    QFont dateFont() const { return m_dateFont; }

    QCheckBox* dateCheckbox() const { return m_dateCheckbox; }
    QCheckBox* secCheckbox() const { return m_secCheckbox; }
    QCheckBox* movieCheckbox() const { return m_movieCheckbox; }
    QPushButton* fontButton() const { return m_fontButton; }
    QLineEdit* fpsField() const { return m_fpsField; }
    QButtonGroup* utcRadio() const { return m_utcRadio; }
    QButtonGroup* positionRadio() const { return m_positionRadio; }
    QButtonGroup* codecRadio() const { return m_codecRadio; }
    QButtonGroup* qualityRadio() const { return m_qualityRadio; }
    // Made the first time they are asked for.
    QFontDialog* fontPanel() { return &m_panels.fontPanel(); }
    QColorDialog* colorPanel() { return &m_panels.colorPanel(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void enableStampControls(bool on);
    void enableMovieControls(bool on);
    void showFontPanels();
    void movieDictChanged();
    float fpsValue() const;

    AllSkySession& m_session;
    PrefControl& m_prefs;
    QCheckBox* m_dateCheckbox = nullptr;
    QCheckBox* m_secCheckbox = nullptr;
    QCheckBox* m_movieCheckbox = nullptr;
    QPushButton* m_fontButton = nullptr;
    QLineEdit* m_fpsField = nullptr;
    QButtonGroup* m_utcRadio = nullptr;
    QButtonGroup* m_positionRadio = nullptr;
    QButtonGroup* m_codecRadio = nullptr;
    QButtonGroup* m_qualityRadio = nullptr;
    SidePanels m_panels;
    QColor m_dateColor;
    QFont m_dateFont;
    quint16 m_movieCodec = 0;
    quint16 m_textPosn = 0;
    quint32 m_movieQuality = 1024;
    bool m_isUTC = true;
    bool m_isSec = true;
};
