#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class RefusalNote;

// The dome geometry both dome panels edit: the mount centre's offset X, Y, Z,
// the dome radius R, the tube offset r and the flip limit (enabled for a
// German mount only), the lead and the tracking interval, optionally the home
// azimuth, the mount-type choice and the Save button.
class DomeSetupFields : public QWidget {
    Q_OBJECT
public:
    struct Values {
        double x = 0.0, y = 0.0, z = 0.0, bigR = 0.0, smallR = 0.0, flip = 0.0;
        float homeAzimuth = 0.0f, delta = 0.0f, frequency = 0.0f;
    };

    DomeSetupFields(bool withHome, QWidget* parent = nullptr);

    void setValues(const Values& values);
    // The fields' values, read with either decimal separator; a field that
    // does not read as a number or lies outside what a dome can have gives
    // the one in `shown` and shows it again, and the note under the fields
    // says why, so a typing slip changes nothing unseen. A German mount's
    // geometry that puts the mount outside the dome keeps all five lengths.
    Values values(const Values& shown);
    // What the note says about the last reading; empty when all was taken.
    QString refusalText() const;

    void setIsGEM(bool gem);
    bool isGEM() const { return m_isGEM; }

    // The fields' and the mount type's tips.
    void setToolTips();
    void clearToolTips();

    QLineEdit* field(int index) const { return m_fields[std::size_t(index)]; }
    QPushButton* saveButton() const { return m_save; }
    // Column 0 fork, 1 German.
    QButtonGroup* mountType() const { return m_mountType; }

    // Field order.
    enum { kX, kY, kZ, kBigR, kSmallR, kFlip, kHome, kDelta, kFrequency, kFieldCount };
    static constexpr int kGeometryFields = 6;

signals:
    void mountTypeChosen(bool gem);
    void saveRequested();

private:
    bool m_withHome;
    bool m_isGEM = false;
    std::array<QLineEdit*, kFieldCount> m_fields{};
    QButtonGroup* m_mountType;
    QPushButton* m_save;
    RefusalNote* m_note;
};
