#pragma once

#include <QStringList>
#include <QWidget>

#include <vector>

// "График изменения величины по каждому участку": one bar a pipeline section, labelled with
// the numbers at its ends (or not at all), over a left axis with its title.
class TSectionChart : public QWidget {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("График изменения величины по каждому участку");

    explicit TSectionChart(QWidget* parent = nullptr);
    // Labels may be empty (the head-loss bars carry none).
    void SetBars(const std::vector<double>& values, const QStringList& labels, const QString& axisTitle);
    const std::vector<double>& Values() const { return values_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> values_;
    QStringList labels_;
    QString axisTitle_;
};
