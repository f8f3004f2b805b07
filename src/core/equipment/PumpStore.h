#pragma once

#include "core/equipment/BasePointList.h"

#include <QString>

// Flows, heads and ranges stay within this: no pump comes near, the file keeps three decimals of
// such a value exactly, and the reader refuses anything beyond as damage.
constexpr double kMaxPumpValue = 1e9;

// The axis ranges of a pump model: flow in m3/h, head in m.
enum TPumpRange { prMinQ = 0, prMaxQ = 1, prMinH = 2, prMaxH = 3 };

// One pump model: its name (also its file name), the axis ranges and the base points of its
// head-flow curve. Every change made through the store marks it modified, so the database
// knows to save it.
class TPumpStore {
public:
    TPumpStore() = default;
    explicit TPumpStore(QString name) : Name(std::move(name)) {}
    TPumpStore(const TPumpStore&) = delete;
    TPumpStore& operator=(const TPumpStore&) = delete;

    QString Name;
    // The file the model was read from; empty for a model made in this session.
    QString SourceFile;

    double Range(TPumpRange which) const { return ranges_[which]; }
    // Writes one range value; a minimum equal to its maximum pushes the maximum to minimum + 10.
    // Values are kept within kMaxPumpValue; a value that is not a number changes nothing.
    void SetRange(TPumpRange which, double value);
    // Reading and copying set the ranges as they are.
    void SetRangesAsRead(double minQ, double maxQ, double minH, double maxH);

    const TBasePointList& Points() const { return points_; }
    // Bulk access for loading; does not mark the store modified.
    TBasePointList& PointsForLoading() { return points_; }

    // Point values are kept within kMaxPumpValue like the ranges.
    int InsertPoint(const TBasePoint& point);
    int ReplacePoint(int index, const TBasePoint& point);
    void DeletePoint(int index);
    // Ranges and every point of another model.
    void CopyFrom(const TPumpStore& other);

    // The refusal of a grid value outside the ranges (bounds as shown, whole numbers); empty
    // when the value is allowed.
    QString FlowRefusal(double q) const;
    QString HeadRefusal(double h) const;

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    void SetOnPointsChange(std::function<void()> callback) { points_.SetOnChange(std::move(callback)); }

private:
    double ranges_[4] = {0, 500, 0, 1000};
    TBasePointList points_;
    bool modified_ = false;
};

// The texts of the model rules.
namespace PumpTexts {
inline const QString kBadCharacters =
    QStringLiteral("Название модели не может содержать символы \":\", \"/\", \"\\\", \";\"");
inline const QString kNameExists = QStringLiteral(
    "Насос с указанным названием уже существует!\r\nДля ввода нового насоса требуется ввести оригинальное название.");
inline const QString kEmptyCopyName = QStringLiteral("Название насоса не может быть пустым !");
inline const QString kRenameFailed = QStringLiteral("Ошибка при переименовании файла");
inline const QString kNotANumber = QStringLiteral("Неверно указано число");
inline const QString kSaveChanges = QStringLiteral("Сохранить изменения в базе данных насосов?");
inline const QString kFileExtension = QStringLiteral(".pmp");
}  // namespace PumpTexts

// A model name may become a file name: none of ":", "/", "\", ";".
bool PumpNameHasForbiddenCharacters(const QString& name);
// folder + name + ".pmp"; folder with or without its trailing separator.
QString PumpFilePath(const QString& folder, const QString& name);
