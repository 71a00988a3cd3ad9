// The synthesiser library pulls in 27 more shared libraries (SDL, Wayland, JACK, readline ...),
// and binding them all made start-up half again as slow as a bare window. So the program is not
// linked against it: these definitions stand in for the FluidSynth calls the music makes and
// load the library on first use, which is on the SoundFont loader's thread, after the window is
// up. Without the library every call fails as FluidSynth's own calls fail, and the music is silent.

#include <dlfcn.h>
#include <fluidsynth.h>

#include <cstdint>
#include <cstdio>

namespace {
void *library() {
    static void *const handle = dlopen("libfluidsynth.so.3", RTLD_NOW | RTLD_LOCAL);
    return handle;
}

template <typename Fn> Fn resolve(const char *name) {
    void *lib = library();
    return lib != nullptr ? reinterpret_cast<Fn>(dlsym(lib, name)) : nullptr;
}
} // namespace

#define PLINKARD_REAL(name) static const auto real = resolve<decltype(&name)>(#name)

extern "C" {

// As the library's own test: a regular file that begins with the standard MIDI header. Answered
// here, so that naming the music at start-up loads nothing.
int fluid_is_midifile(const char *filename) {
    FILE *file = std::fopen(filename, "rb");
    if (file == nullptr) {
        return 0;
    }
    char id[4] = {};
    const bool midi =
        std::fread(id, sizeof id, 1, file) == 1 && id[0] == 'M' && id[1] == 'T' && id[2] == 'h' && id[3] == 'd';
    std::fclose(file);
    return midi ? 1 : 0;
}

fluid_log_function_t fluid_set_log_function(int level, fluid_log_function_t fun, void *data) {
    PLINKARD_REAL(fluid_set_log_function);
    return real != nullptr ? real(level, fun, data) : nullptr;
}

fluid_settings_t *new_fluid_settings(void) {
    PLINKARD_REAL(new_fluid_settings);
    return real != nullptr ? real() : nullptr;
}

void delete_fluid_settings(fluid_settings_t *settings) {
    PLINKARD_REAL(delete_fluid_settings);
    if (real != nullptr) {
        real(settings);
    }
}

int fluid_settings_setnum(fluid_settings_t *settings, const char *name, double val) {
    PLINKARD_REAL(fluid_settings_setnum);
    return real != nullptr ? real(settings, name, val) : FLUID_FAILED;
}

int fluid_settings_setint(fluid_settings_t *settings, const char *name, int val) {
    PLINKARD_REAL(fluid_settings_setint);
    return real != nullptr ? real(settings, name, val) : FLUID_FAILED;
}

fluid_synth_t *new_fluid_synth(fluid_settings_t *settings) {
    PLINKARD_REAL(new_fluid_synth);
    return real != nullptr ? real(settings) : nullptr;
}

void delete_fluid_synth(fluid_synth_t *synth) {
    PLINKARD_REAL(delete_fluid_synth);
    if (real != nullptr) {
        real(synth);
    }
}

int fluid_synth_sfload(fluid_synth_t *synth, const char *filename, int reset_presets) {
    PLINKARD_REAL(fluid_synth_sfload);
    return real != nullptr ? real(synth, filename, reset_presets) : FLUID_FAILED;
}

int fluid_synth_system_reset(fluid_synth_t *synth) {
    PLINKARD_REAL(fluid_synth_system_reset);
    return real != nullptr ? real(synth) : FLUID_FAILED;
}

int fluid_synth_all_sounds_off(fluid_synth_t *synth, int chan) {
    PLINKARD_REAL(fluid_synth_all_sounds_off);
    return real != nullptr ? real(synth, chan) : FLUID_FAILED;
}

int fluid_synth_write_s16(fluid_synth_t *synth, int len, void *lout, int loff, int lincr, void *rout, int roff,
                          int rincr) {
    PLINKARD_REAL(fluid_synth_write_s16);
    return real != nullptr ? real(synth, len, lout, loff, lincr, rout, roff, rincr) : FLUID_FAILED;
}

fluid_player_t *new_fluid_player(fluid_synth_t *synth) {
    PLINKARD_REAL(new_fluid_player);
    return real != nullptr ? real(synth) : nullptr;
}

void delete_fluid_player(fluid_player_t *player) {
    PLINKARD_REAL(delete_fluid_player);
    if (real != nullptr) {
        real(player);
    }
}

int fluid_player_add(fluid_player_t *player, const char *midifile) {
    PLINKARD_REAL(fluid_player_add);
    return real != nullptr ? real(player, midifile) : FLUID_FAILED;
}

int fluid_player_play(fluid_player_t *player) {
    PLINKARD_REAL(fluid_player_play);
    return real != nullptr ? real(player) : FLUID_FAILED;
}

int fluid_player_stop(fluid_player_t *player) {
    PLINKARD_REAL(fluid_player_stop);
    return real != nullptr ? real(player) : FLUID_FAILED;
}

int fluid_player_get_status(fluid_player_t *player) {
    PLINKARD_REAL(fluid_player_get_status);
    return real != nullptr ? real(player) : FLUID_PLAYER_DONE;
}

int fluid_player_get_current_tick(fluid_player_t *player) {
    PLINKARD_REAL(fluid_player_get_current_tick);
    return real != nullptr ? real(player) : FLUID_FAILED;
}

} // extern "C"
