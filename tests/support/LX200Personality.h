#pragma once

#include "ColonCommandMount.h"

#include <atomic>
#include <map>

// The LX200 family as simulated mounts answer it: a Classic LX200, an
// Autostar, an LX200 GPS, an AstroPhysics, a Meade Basic and a Gemini. Each
// answers the commands of its kind and as its kind's devices do (the
// Classic's bars and 0-360 westward longitude, the two-part date answer, a
// busy LX200 GPS's NAK, the Gemini's one-byte speed state).
class LX200Personality final : public ColonCommandMount::Personality {
public:
    enum class Kind { Classic, Autostar, GPS, AstroPhysics, MeadeBasic, Gemini };
    using Duration = ColonCommandMount::Duration;

    struct Options {
        bool longFormat = true;
        bool star = false;            // `*` after degrees (AstroPhysics and Gemini always)
        Duration dateLineLate{0};     // the date answer's second line comes this late
        bool starting = false;        // a Gemini still starting answers the ACK with `b`
        QByteArray version = "410";   // a Gemini's `:GV#`
        char speedState = 'T';        // a Gemini's `:Gv#` while no goto runs ('S' while one does)
    };

    LX200Personality(Kind kind, Options options);

    // The next `count` commands that have an answer get NAK instead.
    void answerBusy(int count) { m_busy = count; }
    // A Gemini's native parameter `id` as it answers it.
    void setParameter(int id, QByteArray value);

    ColonCommandMount::Reply answer(const QByteArray& frame, ColonCommandMount& mount) override;

private:
    ColonCommandMount::Reply meade(const QByteArray& command, ColonCommandMount& mount);
    ColonCommandMount::Reply native(const QByteArray& frame, ColonCommandMount& mount);
    ColonCommandMount::Reply handshake() const;
    QByteArray raText(double hours) const;
    QByteArray decText(double degrees) const;
    QByteArray slewBars(bool slewing) const;
    char separator() const;

    Kind m_kind;
    Options m_options;
    std::atomic<int> m_busy = 0;
    std::map<int, QByteArray> m_parameters;
};
