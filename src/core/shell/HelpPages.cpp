#include "core/shell/HelpPages.h"

#include <QDir>
#include <QFileInfo>

namespace {

const HelpTopic kTopics[] = {
    {4, "Команды меню «Файл»"},
    {5, "Команды правки, узлов, ветвей и оборудования"},
    {6, "Команды меню «Вид»"},
    {7, "Схемы, проверки и свойства шахты"},
    {8, "Свободные номера и настройка программы"},
    {9, "Команды меню «Окно»"},
    {10, "Команды меню «Справка»"},
    {12, "Окно шахты"},
    {14, "Главное окно"},
    {20, "Трансформация узлов"},
    {25, "Панель оборудования"},
    {26, "Поиск объекта"},
    {28, "Таблицы узлов и ветвей. Настройка программы"},
    {29, "Таблицы результатов"},
    {30, "Отмена и повтор правок. История правок"},
    {38, "Свойства шахты"},
    {44, "Пласты и позиции ПЛА"},
    {56, "Разбиение ветви"},
    {57, "Свободные номера"},
    {60, "Трубопровод ветви"},
    {61, "Цвета диаметров"},
    {62, "Диаметр труб и толщина стенок"},
    {66, "Оборудование"},
    {73, "База данных насосов"},
    {82, "Все оборудование"},
    {90, "Технологическая схема: инструменты, мышь и клавиши"},
    {91, "Карта схемы"},
    {101, "Свойства ветви"},
    {102, "Свойства узла"},
    {112, "Экспорт схемы в Windows Bitmap"},
    {113, "Экспорт схемы в JPEG"},
    {114, "Экспорт схемы в Windows Metafile"},
    {122, "Параметры технологической схемы"},
    {145, "Список сообщений"},
    {146, "Анализ результатов"},
    {200, "Позиции ПЛА"},
};

}  // namespace

std::span<const HelpTopic> HelpTopics() { return kTopics; }

QString HelpPageFileName(int context)
{
    if (context == kHelpContents)
        return QStringLiteral("index.html");
    return QStringLiteral("topic%1.html").arg(context);
}

QString HelpPagePath(const QString& helpFolder, int context)
{
    const QDir folder(helpFolder);
    const QString page = folder.filePath(HelpPageFileName(context));
    if (QFileInfo(page).isFile())
        return page;
    const QString contents = folder.filePath(HelpPageFileName(kHelpContents));
    return QFileInfo(contents).isFile() ? contents : QString();
}
