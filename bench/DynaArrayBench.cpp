// Appending and iterating records: TDynaArray against std::vector, the baseline, on the same
// record size as an invoice header.
#include "foundation/TDynaArray.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Rec {
    double values[18];
};

void BM_TDynaArray_Append(benchmark::State& state)
{
    for (auto _ : state) {
        Rec* cur = nullptr;
        TDynaArray array(sizeof(Rec), &cur);
        for (int64_t i = 0; i < state.range(0); ++i) {
            array.Add();
            cur->values[0] = double(i);
        }
        benchmark::DoNotOptimize(array.AObj());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StdVector_Append(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<Rec> array;
        for (int64_t i = 0; i < state.range(0); ++i) {
            array.push_back({});
            array.back().values[0] = double(i);
        }
        benchmark::DoNotOptimize(array.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_TDynaArray_Iterate(benchmark::State& state)
{
    Rec* cur = nullptr;
    TDynaArray array(sizeof(Rec), &cur);
    for (int64_t i = 0; i < state.range(0); ++i) {
        array.Add();
        cur->values[0] = double(i);
    }
    for (auto _ : state) {
        double sum = 0;
        array.First();
        while (array.WhileNext())
            sum += cur->values[0];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_StdVector_Iterate(benchmark::State& state)
{
    std::vector<Rec> array(static_cast<size_t>(state.range(0)));
    for (size_t i = 0; i < array.size(); ++i)
        array[i].values[0] = double(i);
    for (auto _ : state) {
        double sum = 0;
        for (const Rec& rec : array)
            sum += rec.values[0];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

}

BENCHMARK(BM_TDynaArray_Append)->Arg(10000);
BENCHMARK(BM_StdVector_Append)->Arg(10000);
BENCHMARK(BM_TDynaArray_Iterate)->Arg(10000);
BENCHMARK(BM_StdVector_Iterate)->Arg(10000);
