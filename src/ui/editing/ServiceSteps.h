#pragma once

// The captions the service dialogs give their changes in the document's undo history: one
// step for each OK, "&Установить", colour or list change.

#include <QString>

namespace ServiceSteps {

inline const QString kTransform = QStringLiteral("Трансформация");
inline const QString kSplit = QStringLiteral("Разделение ветви");
inline const QString kRenumber = QStringLiteral("Перенумерация");
inline const QString kWalls = QStringLiteral("Толщина стенок");
inline const QString kDiamColors = QStringLiteral("Цвета диаметров");
inline const QString kMineProperties = QStringLiteral("Свойства шахты");

inline const QString kAddSeam = QStringLiteral("Добавление пласта");
inline const QString kRenameSeam = QStringLiteral("Переименование пласта");
inline const QString kRemoveSeam = QStringLiteral("Удаление пласта");
inline const QString kSeamColor = QStringLiteral("Цвет пласта");
inline const QString kAddPosition = QStringLiteral("Добавление позиции ПЛА");
inline const QString kRenamePosition = QStringLiteral("Переименование позиции ПЛА");
inline const QString kRemovePosition = QStringLiteral("Удаление позиции ПЛА");
inline const QString kPositionColor = QStringLiteral("Цвет позиции ПЛА");

}  // namespace ServiceSteps
