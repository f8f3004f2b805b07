#pragma once

// The texts of a mine that the network file cannot store whole: a character without a code in
// Windows-1251 is written as "?". The save asks once, naming the objects, before that happens.

#include <QString>
#include <QStringList>

class TMine;

// One line per object as the user knows it ("ветвь 12: комментарий", "пласт \"Верхний\"", ...),
// in the order of the file; at most `limit` lines, then "..." when more were found.
QStringList UnstorableTexts(const TMine& mine, int limit = 10);

inline const QString kUnstorableTextsQuestion = QStringLiteral(
    "Следующие тексты содержат символы, которые не могут быть сохранены в файле,\r\n"
    "и будут записаны со знаками \"?\":\r\n\r\n%1\r\n\r\nСохранить файл?");
