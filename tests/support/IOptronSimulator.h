#pragma once

#include "MountSimulator.h"

// An iOptron mount or, as its second personality, an iEQ45/ZEQ25: ":...#"
// commands, sexagesimal positions, a goto set by ":Sr"/":Sd" and started by
// ":MS#", a sync ":CM#" onto the last target. The iEQ45 pads its hours with
// a blank and answers ":MS#" with "1" where the iOptron gives "0"; the
// iOptron answers its date with two lines of blanks.
class IOptronSimulator final : public MountSimulator {
public:
    explicit IOptronSimulator(bool iEQ45 = false);
    ~IOptronSimulator() { stop(); }

    void setMountType(char type) { m_type = type; }
    // ":MS#" gets no answer at all.
    void setSilentStart() { m_silentStart = true; }

private:
    Response respond(const QByteArray& pending);
    QByteArray answer(const QByteArray& command);

    bool m_iEQ45;
    char m_type = '2';
    bool m_silentStart = false;
    double m_targetRA = 0.0;
    double m_targetDec = 0.0;
};
