#pragma once

#include <QObject>

class SkyView;

// For programs that time the start from outside (the launch benchmarks):
// when the environment names kVariable, the first paint of the sky (not the
// splash) writes kLine to standard output, and with the value "quit" the
// program then leaves. Nothing happens without the variable.
class FirstChartReport final : public QObject {
public:
    static constexpr const char* kVariable = "NORVANE_FIRST_CHART";
    static constexpr const char* kQuit = "quit";
    static constexpr const char* kLine = "first chart";

    // Watches `view` when the environment asks for it.
    static void watch(SkyView& view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FirstChartReport(SkyView& view, bool quit);
    void report();

    SkyView& m_view;
    bool m_quit;
};
