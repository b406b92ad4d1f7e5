// What a keystroke costs: the whole-table lookup on every change of the
// input, and the file window's extension on long paths. Targets in README.
#include <benchmark/benchmark.h>

#include <string>

#include "dictionary/LookupExtension.h"
#include "forms/GetExtension.h"

namespace morvane {
namespace {

class Box : public ExtensionLookupView {
public:
    std::u16string input, description;
    std::u16string InputText() const override { return input; }
    void SetDescription(std::u16string_view text) override { description = text; }
};

void Keystroke(benchmark::State& state, std::u16string typed) {
    Box box;
    box.input = std::move(typed);
    for (auto _ : state) {
        LookupExtension(box);
        benchmark::DoNotOptimize(box.description.data());
    }
}
BENCHMARK_CAPTURE(Keystroke, hit_last_row, std::u16string(u"000"));
BENCHMARK_CAPTURE(Keystroke, hit_full_width, std::u16string(u"ＺＩＰ"));
BENCHMARK_CAPTURE(Keystroke, miss, std::u16string(u"zipx"));
BENCHMARK_CAPTURE(Keystroke, pasted_megabyte, std::u16string(1 << 20, u'x'));

void ExtensionOfLongPath(benchmark::State& state) {
    const std::u16string path = u"\\\\?\\C:\\" + std::u16string(32000, u'd') + u"\\file.txt";
    for (auto _ : state) benchmark::DoNotOptimize(GetExtension(path));
}
BENCHMARK(ExtensionOfLongPath);

void TableFootprint(benchmark::State& state) {
    std::size_t bytes = sizeof(ExtensionEntry) * ExtensionTable().size();
    for (const ExtensionEntry& row : ExtensionTable()) bytes += (row.key.size() + row.description.size() + 2) * 2;
    for (auto _ : state) benchmark::DoNotOptimize(bytes);
    state.counters["table_bytes"] = static_cast<double>(bytes);  // read-only data, no heap
}
BENCHMARK(TableFootprint);

}  // namespace
}  // namespace morvane

BENCHMARK_MAIN();
