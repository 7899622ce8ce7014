#include "windows/ProgressBar.h"

namespace varneska {

namespace {

// The bar on the screen counts in steps finer than its width in pixels, whatever the Max.
constexpr int kSteps = 10000;

}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, kSteps);
    setValue(0);
    setTextVisible(false);
}

void ProgressBar::SetMax(float max) {
    m_max = max;
    Refresh();
}

void ProgressBar::Refresh() {
    int step = 0;
    if (m_max > 0.0f && m_value > 0.0f) {
        const float share = m_value / m_max;
        step = share >= 1.0f ? kSteps : static_cast<int>(share * static_cast<float>(kSteps));
    } else if (m_max <= 0.0f && m_value > 0.0f) {
        step = kSteps;
    }
    if (step != value()) {
        setValue(step);
    }
}

}  // namespace varneska
