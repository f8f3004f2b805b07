#include "core/printing/Passport.h"

TSymbolTable DefaultSymbols()
{
    static const char* const kNames[kSymbolCount] = {
        "Пожарный кран",    "Водяная завеса",   "УАП",
        "Технологические нужды", "Задвижка",   "Гидроредуктор",
        "Насос",            "Бак разрыва струи", "Пожарная машина",
        "Поверхностный узел", "Цвета диаметров труб",
    };
    TSymbolTable table;
    for (int i = 0; i < kSymbolCount; ++i)
        table[size_t(i)] = TSymbol{QString::fromUtf8(kNames[i]), true, 0};
    return table;
}

void SetAllPrinted(TSymbolTable& symbols)
{
    for (TSymbol& s : symbols)
        s.Print = true;
}

TSymbolTable& TLegendSymbols::BeginEdit()
{
    working_ = current_;
    return working_;
}

TPrintingData& ApplicationPrintingData()
{
    static TPrintingData data;
    return data;
}
