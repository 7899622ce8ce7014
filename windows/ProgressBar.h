#pragma once
// ProgressBar: ProgressBar1 of the main window, with a Max and a Value set as single-precision
// numbers, minimum 0.
//
// A run sets the Value for every character it scans, so SetValue only stores it; Refresh, which
// the main window calls a few dozen times a second while a run goes on and once when it ends,
// brings the bar on the screen up to date. A Value above the Max shows as a full bar.

#include <QProgressBar>

namespace varneska {

class ProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit ProgressBar(QWidget* parent = nullptr);

    float Max() const noexcept { return m_max; }
    float Value() const noexcept { return m_value; }
    // The Value is kept: a new maximum does not reset the bar.
    void SetMax(float max);
    void SetValue(float value) noexcept { m_value = value; }

    void Refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_paints = 0;  // tells Refresh whether setValue has just repainted
    float m_max = 100.0f;
    float m_value = 0.0f;
};

}  // namespace varneska
