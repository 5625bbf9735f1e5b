// The preview's animation drawn offscreen as the window draws it, step after step, beside a
// plain fill of the same area: what a step costs above merely touching every pixel.

#include "PreviewPicture.h"
#include "PreviewReporter.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <iostream>

namespace {

constexpr int kSteps = 600;
const QSize kArea(720, 540);
const std::string kDraw = "PreviewSteps/720x540";
const std::string kFill = "PlainFillSteps/720x540";

// The most work a step can bring: the fine grid, two text bands, the longest sliding text
// in the smallest characters, so that most of it is on the screen, at the highest speed.
firmware::GeneratorSettings Busiest()
{
    firmware::GeneratorSettings settings;
    for (std::size_t at = 0; at < firmware::kSlidingTextLength; ++at)
        settings.slidingText += char('!' + at % 94);
    settings.fixedText = "IW2ABC";
    settings.frame = 12;
    settings.slidingColour = 1;
    settings.fixedColour = 2;
    settings.speed = 2;
    return settings;
}

void DrawSteps(benchmark::State& state)
{
    QImage image(kArea, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    preview::PreviewPicture picture;
    picture.SetSettings(Busiest());
    for (auto _ : state) {
        for (int step = 0; step < kSteps; ++step)
            picture.Draw(painter, image.rect(), step);
        benchmark::ClobberMemory();
    }
}

void FillSteps(benchmark::State& state)
{
    QImage image(kArea, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (auto _ : state) {
        for (int step = 0; step < kSteps; ++step)
            painter.fillRect(image.rect(), QColor(step & 0xFF, 0, 0));
        benchmark::ClobberMemory();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark(kDraw.c_str(), DrawSteps)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kFill.c_str(), FillSteps)->Unit(benchmark::kMillisecond);
    PreviewReporter reporter(kDraw, kFill, kSteps);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary(std::cout);
    benchmark::Shutdown();
    return 0;
}
