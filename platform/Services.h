// SPDX-License-Identifier: MIT
#pragma once

class MessageBoxes;
class FileDialogs;
class ColorDialogs;
class SettingsStore;
class Files;
class RandomSource;
class ProgramControl;
class SoundSystem;
class TickSource;
class PictureFiles;

// Everything outside the program that the windows may use. Built once by main, or by a test.
struct Services {
    MessageBoxes &messages;
    FileDialogs &fileDialogs;
    ColorDialogs &colorDialogs;
    SettingsStore &store;
    Files &files;
    RandomSource &random;
    ProgramControl &program;
    SoundSystem &sound;
    TickSource &ticks;
    PictureFiles &pictures;
};
