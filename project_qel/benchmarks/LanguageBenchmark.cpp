// The text table: a lookup by identifier (done wherever a screen draws a
// text), a lookup by name, building the table, and selecting a language with
// the refill of the 312 key names.
#include <benchmark/benchmark.h>

#include "language/Language.h"
#include "support/EngineCore.h"

namespace {

void getTextByIdentifier(benchmark::State& state)
{
    EngineCore core;
    Language language;
    language.setCurrentLanguage(2);
    int id = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(language.getText(static_cast<Language::StringsEnum>(id)));
        id = (id + 7) % Language::STRING_COUNT;
    }
}
BENCHMARK(getTextByIdentifier);

void getTextByName(benchmark::State& state)
{
    EngineCore core;
    Language language;
    language.setCurrentLanguage(2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(language.getTextByString("COUNTRYZW", false));
    }
}
BENCHMARK(getTextByName);

void buildTable(benchmark::State& state)
{
    EngineCore core;
    for (auto _ : state) {
        Language language;
        benchmark::DoNotOptimize(&language);
    }
}
BENCHMARK(buildTable);

void selectLanguage(benchmark::State& state)
{
    EngineCore core;
    Language language;
    UString keyNames[Language::KEY_CODE_COUNT];
    language.attachKeyNames(keyNames);
    int next = 0;
    for (auto _ : state) {
        language.setCurrentLanguage(next);
        next = (next + 1) % LANGUAGE_MAX;
    }
    benchmark::DoNotOptimize(keyNames[0x54].data());
}
BENCHMARK(selectLanguage);

}  // namespace
