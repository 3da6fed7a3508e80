#include "InterpolateApplication.h"
#include "WindowTestMain.h"

#include <gtest/gtest.h>

RecordingMessageBoxes& ApplicationExceptionBoxes()
{
    static RecordingMessageBoxes boxes;
    return boxes;
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Window tests never need a display, test discovery included.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    InterpolateApplication app(argc, argv, ApplicationExceptionBoxes());
    return RUN_ALL_TESTS();
}
