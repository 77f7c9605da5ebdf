// Pinyin initials, computed for every item of a combo box on each search.
// Ours: cached per character. Raw baseline: ICU's transliteration of the
// whole text each time.

#include "common/ZPinyin.h"

#include <unicode/translit.h>

#include <memory>

#include <benchmark/benchmark.h>

namespace {

const QString kText = QStringLiteral("中国工商银行北京分行营业部");

void BM_pinyin(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(GetPinyinInitials(kText));
}
BENCHMARK(BM_pinyin);

void BM_pinyin_baseline(benchmark::State &state)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(
        icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
    if (U_FAILURE(status) || !t) {
        state.SkipWithError("no Han-Latin transliterator");
        return;
    }
    for (auto _ : state) {
        icu::UnicodeString text(reinterpret_cast<const UChar *>(kText.utf16()), int32_t(kText.size()));
        t->transliterate(text);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_pinyin_baseline);

} // namespace
