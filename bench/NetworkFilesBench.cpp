#include "BenchPicture.h"
#include "render/NetworkSets.h"
#include "render/PictureEncoder.h"

#include <benchmark/benchmark.h>
#include <utility>
#include <vector>

namespace {

constexpr int kProcessedSide = 1024;
// The format chosen, by the benchmark's argument: the default, and one whose
// larger files are above their limits and are written as JPEG instead.
constexpr const char* kChosenFormats[] = {"jpg", "png"};

// The files of today's networks from one 1024 x 1024 processed picture, each
// within its network's limit. The pictures are fitted beforehand: that is the
// renderer's part of a save.
void BM_TodayFiles(benchmark::State& state) {
    const QImage processed = BenchPhoto(kProcessedSide, kProcessedSide);
    const QString chosen = QLatin1String(kChosenFormats[state.range(0)]);
    std::vector<std::pair<QImage, const Network*>> files;
    const NetworkSet today = NetworkSets::Today().set;
    for (const Network& network : today.networks) {
        files.emplace_back(processed.scaled(network.size, network.size, Qt::IgnoreAspectRatio,
                                            Qt::SmoothTransformation),
                           &network);
    }
    qint64 bytes = 0;
    int changed = 0;
    for (auto _ : state) {
        bytes = 0;
        changed = 0;
        for (const auto& [picture, network] : files) {
            const EncodedPicture encoded =
                PictureEncoder::Encode(picture, network->FormatFor(chosen), network->maxBytes);
            bytes += encoded.bytes.size();
            changed += encoded.changed ? 1 : 0;
        }
    }
    state.SetLabel(chosen.toStdString());
    state.counters["files"] = double(files.size());
    state.counters["bytes"] = double(bytes);
    state.counters["changed"] = changed;
}
BENCHMARK(BM_TodayFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
