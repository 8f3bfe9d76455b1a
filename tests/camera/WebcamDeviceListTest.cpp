#include "camera/webcam/WebcamDeviceList.h"

#include <gtest/gtest.h>

TEST(WebcamDeviceList, OnlyABuiltInCameraGivesNoCameras)
{
    const WebcamDeviceList list = WebcamDeviceList::build({{"Built-in iSight", true}});
    ASSERT_EQ(list.items.size(), 1);
    EXPECT_EQ(list.items[0].name, "No Cameras");
    EXPECT_EQ(list.items[0].tag, 0);
    EXPECT_EQ(list.validDevice, -1);
    EXPECT_EQ(WebcamDeviceList::build({}).items[0].name, "No Cameras");
}

TEST(WebcamDeviceList, SkipsBuiltInAndAudioOnlyDevicesAndKeepsTheirIndices)
{
    const WebcamDeviceList list = WebcamDeviceList::build(
        {{"BUILT-IN camera", true}, {"Microphone", false}, {"macam: Model X", true}, {"USB Cam", true}});
    ASSERT_EQ(list.items.size(), 2);
    EXPECT_EQ(list.items[0].name, "Model X");
    EXPECT_EQ(list.items[0].tag, 2);
    EXPECT_EQ(list.items[1].name, "USB Cam");
    EXPECT_EQ(list.items[1].tag, 3);
    EXPECT_EQ(list.validDevice, 2);
}

TEST(WebcamDeviceList, KeepsAColonNameThatIsNotTheDriverName)
{
    const WebcamDeviceList list = WebcamDeviceList::build({{"UVC Camera: 046d:0825", true}});
    EXPECT_EQ(list.items[0].name, "UVC Camera: 046d:0825");
}
