#pragma once

#include "RecordingMessageBoxes.h"

// The boxes the test application's exception display writes to.
RecordingMessageBoxes& ApplicationExceptionBoxes();
