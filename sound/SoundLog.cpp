// SPDX-License-Identifier: MIT
#include "SoundLog.h"

// Warnings and worse would be heard by default; this category says nothing louder than qCInfo.
Q_LOGGING_CATEGORY(lcSound, "plinkard.sound", QtWarningMsg)
