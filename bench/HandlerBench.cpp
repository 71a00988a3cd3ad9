// SPDX-License-Identifier: MIT
// The game's handlers on the tests' fakes, offscreen: a motion tick at each level, a hit, a miss,
// a reload and New Game. Each sample is one handler call; the window repaints between samples,
// untimed, as it does between events in play. "median_us" is the median sample of a run.

#include "fakes/FakeServices.h"
#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "game/modPlinkard.h"
#include "game/rules/Level.h"
#include "platform/ImageControl.h"
#include "sound/QtSoundSystem.h"

#include <QApplication>
#include <QRadioButton>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace {
struct Game {
    FakeServices fakes;
    Services services;
    modPlinkard mod;
    std::unique_ptr<Forms> forms;
    frmPlinkard &window;

    // On the fakes throughout, or with `sound` playing the files in the program's folder.
    explicit Game(SoundSystem *sound = nullptr)
        : services{fakes.messages, fakes.fileDialogs, fakes.colorDialogs,           fakes.store, fakes.files,
                   fakes.random,   fakes.program,     sound ? *sound : fakes.sound, fakes.ticks, fakes.pictures},
          mod(services.sound, fakes.files), forms(start(sound != nullptr)), window(forms->main()) {
        window.show();
        settle();
    }
    std::unique_ptr<Forms> start(bool inProgramFolder) {
        if (inProgramFolder) {
            const QString folder = QStringLiteral(PLINKARD_PROGRAM_DIR);
            QMap<QString, QByteArray> moved;
            for (auto it = fakes.files.files.cbegin(); it != fakes.files.files.cend(); ++it) {
                moved.insert(folder + it.key().mid(fakes.files.folder.size()), it.value());
            }
            fakes.files.folder = folder;
            fakes.files.folders = {folder};
            fakes.files.files = moved;
        }
        return std::make_unique<Forms>(services, mod);
    }
    static void settle() { QCoreApplication::processEvents(); }
    void level(int index) {
        window.optLevel.at(static_cast<size_t>(index))->setChecked(true);
        settle();
    }
    void reloadIfBelow(int bullets) {
        if (window.bulletsLeft < bullets) {
            window.Reload();
        }
    }
};

// One window for every benchmark; it must go before the application does.
std::unique_ptr<Game> theGame;

Game &game() {
    if (!theGame) {
        theGame = std::make_unique<Game>();
    }
    return *theGame;
}

// The same window with the program's own sound system and sounds: the shot's sound in the handler.
std::unique_ptr<QtSoundSystem> realSound;
std::unique_ptr<Game> theSoundingGame;

Game &soundingGame() {
    if (!theSoundingGame) {
        realSound = std::make_unique<QtSoundSystem>();
        theSoundingGame = std::make_unique<Game>(realSound.get());
    }
    return *theSoundingGame;
}

// Times `call` alone; `prepare` and the repaint after each call stay outside the clock.
void sample(benchmark::State &state, const std::function<void()> &prepare, const std::function<void()> &call) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(state.max_iterations));
    for (auto _ : state) {
        prepare();
        const auto start = Clock::now();
        call();
        const auto end = Clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1e6);
        Game::settle();
    }
    std::nth_element(samples.begin(), samples.begin() + static_cast<long>(samples.size() / 2), samples.end());
    state.counters["median_us"] = samples.at(samples.size() / 2);
}

void motionTick(benchmark::State &state, int level, void (frmPlinkard::*tick)()) {
    Game &g = game();
    g.level(level);
    sample(
        state, [] {}, [&] { (g.window.*tick)(); });
    g.level(1);
}

void BM_MotionTick_TooEasy(benchmark::State &state) { motionTick(state, 0, &frmPlinkard::tmrVeryEasy_Timer); }
void BM_MotionTick_Easy(benchmark::State &state) { motionTick(state, 1, &frmPlinkard::tmrEasy_Timer); }
void BM_MotionTick_Hard(benchmark::State &state) { motionTick(state, 2, &frmPlinkard::tmrHard_Timer); }
void BM_MotionTick_TooHard(benchmark::State &state) { motionTick(state, 3, &frmPlinkard::tmrVeryHard_Timer); }

// Target 1 is an ordinary target: no speed change, no bonus, no penguin.
void hit(benchmark::State &state, Game &g) {
    ImageControl *target = g.window.imgShoot.at(1);
    sample(
        state,
        [&] {
            g.reloadIfBelow(2);
            target->show();
            Game::settle();
        },
        [&] { g.window.imgShoot_Click(1); });
}

void BM_Hit(benchmark::State &state) { hit(state, game()); }
void BM_Hit_RealSound(benchmark::State &state) { hit(state, soundingGame()); }

void miss(benchmark::State &state, Game &g) {
    sample(
        state,
        [&] {
            g.reloadIfBelow(2);
            Game::settle();
        },
        [&] { g.window.Form_Click(); });
}

void BM_Miss(benchmark::State &state) { miss(state, game()); }
void BM_Miss_RealSound(benchmark::State &state) { miss(state, soundingGame()); }

// A reload from an empty magazine, with the sign and prompt showing.
void BM_Reload(benchmark::State &state) {
    Game &g = game();
    sample(
        state,
        [&] {
            while (g.window.bulletsLeft > 0) {
                g.window.Form_Click();
            }
            Game::settle();
        },
        [&] { g.window.lblReload_Click(); });
}

void BM_NewGame(benchmark::State &state) {
    Game &g = game();
    sample(
        state,
        [&] {
            g.reloadIfBelow(4);
            g.window.Form_Click();
            g.window.tmrTime_Timer();
            Game::settle();
        },
        [&] { g.window.cmdNew_Click(); });
}

// For reading the CPU figures: a Too Hard tick together with the repaint it causes.
void BM_MotionTickAndRepaint_TooHard(benchmark::State &state) {
    Game &g = game();
    g.level(3);
    sample(
        state, [] {},
        [&] {
            g.window.tmrVeryHard_Timer();
            Game::settle();
        });
    g.level(1);
}

constexpr int Samples = 2000;
BENCHMARK(BM_MotionTick_TooEasy)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotionTick_Easy)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotionTick_Hard)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotionTick_TooHard)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Hit)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Miss)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Hit_RealSound)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Miss_RealSound)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Reload)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewGame)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotionTickAndRepaint_TooHard)->UseManualTime()->Iterations(Samples)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theGame.reset();
    theSoundingGame.reset();
    realSound.reset();
    return 0;
}
