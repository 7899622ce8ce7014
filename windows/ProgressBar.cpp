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

void ProgressBar::paintEvent(QPaintEvent* event) {
    ++m_paints;
    QProgressBar::paintEvent(event);
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
        const int paintsBefore = m_paints;
        setValue(step);
        // QProgressBar repaints by itself only once the bar has grown by a style's chunk width
        // (9 pixels here), which on a file of a gigabyte is a few times a second; the bar is drawn
        // to the pixel, so every refresh that moves it is shown.
        if (m_paints == paintsBefore) {
            update();
        }
    }
}

}  // namespace varneska
