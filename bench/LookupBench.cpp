// What a keystroke costs: the whole-table lookup that runs on every change of
// the input. Targets in README.
#include <benchmark/benchmark.h>

#include "dictionary/LookupExtension.h"

namespace {

struct Box : morvane::ExtensionLookupView {
    std::u16string input, description;
    std::u16string InputText() const override { return input; }
    void SetDescription(std::u16string_view text) override { description = text; }
};

void Keystroke(benchmark::State& state, std::u16string typed) {
    Box box;
    box.input = std::move(typed);
    for (auto _ : state) morvane::LookupExtension(box), benchmark::DoNotOptimize(box.description.data());
}
BENCHMARK_CAPTURE(Keystroke, hit_last_row, std::u16string(u"000"));
BENCHMARK_CAPTURE(Keystroke, hit_full_width, std::u16string(u"ＺＩＰ"));
// A key of today's table: the whole built-in scan, then the binary search.
BENCHMARK_CAPTURE(Keystroke, hit_supplement, std::u16string(u"docx"));
BENCHMARK_CAPTURE(Keystroke, hit_supplement_full_width, std::u16string(u"ＷＥＢＰ"));
BENCHMARK_CAPTURE(Keystroke, miss_in_both, std::u16string(u"zipq"));
BENCHMARK_CAPTURE(Keystroke, pasted_megabyte, std::u16string(1 << 20, u'x'));

}  // namespace

BENCHMARK_MAIN();
