#pragma once

// What a calibration learns from the star's velocity on the picture during
// the east drive (xX, yX) and the north drive (xY, yY), pixels per second.
// Angles are radians on the picture, from the +x axis toward +y.
struct CalibrationResult {
    enum class Verdict { Accepted, DriveOutsideBounds, RatioOutsideBounds };

    static constexpr float kLeastRate = 0.2f;
    static constexpr float kMostRate = 300.0f;
    static constexpr float kLeastRatio = 0.25f;
    static constexpr float kMostRatio = 4.0f;
    // A north drive more than this far from A + 90° runs mirrored.
    static constexpr double kMirrorAngle = 2.3561944901923453;

    float angleA = 0;   // direction of the east drive
    float angleB = 0;   // A + 90°, in (−π, π]
    float angleB0 = 0;  // direction of the north drive
    float rawX = 0;     // RA rate along A
    float rawY = 0;     // Dec rate along B
    float guideCosA = 1;
    float guideSinA = 0;
    float guideCosB = 0;
    float guideSinB = 1;
    float xDrive = 0;   // RA rate, pixels per second, positive
    float yDrive = 0;   // Dec rate, negative when the declination is mirrored
    Verdict verdict = Verdict::Accepted;

    static CalibrationResult compute(float xXDrive, float yXDrive, float xYDrive, float yYDrive);
};
