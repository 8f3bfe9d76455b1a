#include "platform/ModifierKey.h"

#include <gtest/gtest.h>

#include <Qt>

TEST(ModifierKey, ModifiersAloneAreNoCommandOtherKeysAre)
{
    for (int key : {Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt, Qt::Key_AltGr, Qt::Key_Meta, Qt::Key_Super_L,
                    Qt::Key_CapsLock, Qt::Key_NumLock})
        EXPECT_TRUE(isModifierKey(key)) << key;
    for (int key : {int(Qt::Key_A), int(Qt::Key_Up), int(Qt::Key_Space), int(Qt::Key_Escape), int(Qt::Key_F1),
                    int(Qt::Key_unknown), 0})
        EXPECT_FALSE(isModifierKey(key)) << key;
}
