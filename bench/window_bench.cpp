// The file list of the window face with tens of thousands of rows: adding
// files through the batch run's admission, laying out the view, and
// deleting half of the rows. Runs on Qt's offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "settings/message_table.h"
#include "window/file_list_model.h"
#include "window/file_list_view.h"
#include "window/input_list.h"
#include "window/window_session.h"

namespace {

using namespace plotvale;

constexpr int Rows = 20000;

QApplication& application() {
    static int count = 1;
    static char name[] = "window_bench";
    static char* arguments[] = {name, nullptr};
    static QApplication* made = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        auto* app = new QApplication(count, arguments);
        settings::buildMessageTable();
        return app;
    }();
    return *made;
}

// Rows small files named like metafiles in a fresh folder.
std::vector<std::string> makeFiles() {
    const auto folder = std::filesystem::temp_directory_path() / "plotvale-window-bench";
    std::filesystem::create_directories(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < Rows; ++i) {
        const auto path = folder / ("drawing-" + std::to_string(i) + ".wmf");
        if (!std::filesystem::exists(path)) std::ofstream(path) << "x";
        paths.push_back(path.string());
    }
    return paths;
}

void AddShowAndDeleteRows(benchmark::State& state) {
    application();
    const std::vector<std::string> paths = makeFiles();
    std::vector<int> half;
    for (int i = 0; i < Rows; i += 2) half.push_back(i);
    for (auto _ : state) {
        window::WindowSession session("");
        window::FileListModel model;
        window::FileListView view(nullptr);
        view.setModel(&model);
        view.resize(500, 300);
        view.show();
        window::addInputFiles(session, model, paths);
        QApplication::processEvents();
        window::removeInputRows(session, model, half);
        QApplication::processEvents();
        benchmark::DoNotOptimize(model.size());
    }
    state.SetItemsProcessed(state.iterations() * Rows);
}
BENCHMARK(AddShowAndDeleteRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
