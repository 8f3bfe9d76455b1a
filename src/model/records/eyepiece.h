#pragma once

#include <cstddef>

#pragma pack(push, 4)

// Eyepiece; ten of them are stored back to back as "EyepiecesPref", the tenth
// standing for a camera (focal length 50, field a percentage of the camera's).
struct eyepiece {
    float eyeFL;   // mm; 0 marks an empty slot
    float eyeFOV;  // apparent field, degrees
};

#pragma pack(pop)

static_assert(sizeof(eyepiece) == 8);
static_assert(offsetof(eyepiece, eyeFL) == 0);
static_assert(offsetof(eyepiece, eyeFOV) == 4);

inline void terminateTextFields(eyepiece&) {}
