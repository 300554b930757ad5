// The configuration list's hot paths: name lookup and setting by name on lists of 10, 100 and
// 1,000 lines (the name asked for is the last one, the worst case of a linear lookup), and the
// text forms of numbers per call.
#include <benchmark/benchmark.h>

#include <string>

#include "common/clsStringConfigList.h"
#include "values/NumberText.h"

namespace orvo {
namespace {

ComPtr<IStringConfigList> ListOfNames(int64_t count) {
    auto list = CreateStringConfigList();
    for (int64_t i = 0; i < count; ++i) list->AddInteger(AnsiString("Setting" + std::to_string(i)), int32_t(i));
    return list;
}

AnsiString LastName(int64_t count) { return AnsiString("SETTING" + std::to_string(count - 1)); }

void BM_FindName(benchmark::State& state) {
    auto list = ListOfNames(state.range(0));
    const AnsiString name = LastName(state.range(0));
    int32_t index = 0;
    for (auto _ : state) benchmark::DoNotOptimize(list->FindName(name, index));
}
BENCHMARK(BM_FindName)->Arg(10)->Arg(100)->Arg(1000);

void BM_GetString(benchmark::State& state) {
    auto list = ListOfNames(state.range(0));
    const AnsiString name = LastName(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(list->GetString(name));
}
BENCHMARK(BM_GetString)->Arg(10)->Arg(100)->Arg(1000);

void BM_SetString(benchmark::State& state) {
    auto list = ListOfNames(state.range(0));
    const AnsiString name = LastName(state.range(0));
    const AnsiString values[] = {"alpha", "beta"};
    size_t i = 0;
    for (auto _ : state) list->SetString(name, values[i++ & 1]);
}
BENCHMARK(BM_SetString)->Arg(10)->Arg(100)->Arg(1000);

void BM_SetFloat(benchmark::State& state) {
    auto list = ListOfNames(state.range(0));
    const AnsiString name = LastName(state.range(0));
    for (auto _ : state) list->SetFloat(name, 1.0 / 3);
}
BENCHMARK(BM_SetFloat)->Arg(10)->Arg(100)->Arg(1000);

// Writing numbers: 18 significant digits (setters) and 10 (add operations), for a fraction, a
// large value in the exponent form and a tiny one.
void BM_FixedNumberText(benchmark::State& state) {
    const double values[] = {1.0 / 3, 12345678912345.678, 1.5e300, 6e-19};
    const double value = values[state.range(1)];
    const int digits = int(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(FixedNumberText(value, digits, '.'));
}
BENCHMARK(BM_FixedNumberText)->ArgsProduct({{18, 10}, {0, 1, 2, 3}});

void BM_TryReadNumber(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(TryReadNumber(" 0.333333333333333315 ", '.'));
}
BENCHMARK(BM_TryReadNumber);

void BM_TryReadInteger(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(TryReadInteger("-2147483648"));
        benchmark::DoNotOptimize(TryReadInteger("$7FFFFFFF"));
    }
}
BENCHMARK(BM_TryReadInteger);

}  // namespace
}  // namespace orvo
