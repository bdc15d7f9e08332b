// Start-up to the main window shown: options loaded, application context built, window shown and
// its first events processed (offscreen).
#include "options/AdminOptions.h"
#include "options/OptionsDm.h"
#include "shell/Dm.h"
#include "shell/ui/MainForm.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_StartupToMainWindowShown(benchmark::State& state) {
    QTemporaryDir folder;
    for (auto _ : state) {
        auto options = std::make_unique<TOptionsDm>(folder.path());
        auto dm = std::make_unique<TDm>();
        auto form = std::make_unique<TMainForm>(*dm, *options->AdminOptions());
        form->show();
        form->FormActivate();
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        dm.reset();
        options.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToMainWindowShown)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
