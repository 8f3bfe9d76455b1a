#pragma once

#include <QLabel>

// The line of a preferences tab that says why the last action was refused:
// the beep alone goes unheard on a muted desktop, and the refused values
// would stay in their fields looking accepted.
class RefusalNote final : public QLabel {
    Q_OBJECT
public:
    explicit RefusalNote(QWidget* parent = nullptr);

    // Beeps and shows `why`.
    void refuse(const QString& why);
    // Hides the last reason once an action went through.
    void clearNote();
};
