// Benchmark: building and painting the plan of 500 footings, as on every redraw of the main window.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <random>
#include <set>

#include "draw/plan_layout.h"
#include "print/plan_page.h"
#include "render/render_qt.h"

using namespace plintova;
using namespace plintova::draw;

namespace {

// 25 x 20 columns at 5 m by 4 m, some standing off their grid line, four size groups, ten combined pairs.
void buildProject(Project& p) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> rank(1, 4);
  std::set<int32_t> xs, zs;
  for (int j = 0; j < 20; ++j)
    for (int i = 0; i < 25; ++i) {
      int s = ++p.FootingCount;
      FootingRecord& f = p.FootingTable[s];
      f.JointNo = static_cast<int16_t>(s);
      f.PosX = f.ColumnX = i * 5000 + ((i + j) % 7 == 0 ? 200 : 0);  // a few columns off the grid line
      f.PosZ = f.ColumnZ = j * 4000;
      f.GroupRank = static_cast<int16_t>(rank(rng));
      f.SizeL = f.SizeB = 1.2f + 0.3f * static_cast<float>(f.GroupRank);
      f.ReqSize = f.SizeL - 0.12f;
      f.NoTension = s % 37 == 0;
      xs.insert(f.PosX);
      zs.insert(f.PosZ);
    }
  int k = 0;
  for (int32_t x : xs) p.GridLineX[++k] = x, p.LevelX[k] = static_cast<float>(x);
  p.GridLineX[0] = k;
  p.LevelX[0] = static_cast<float>(k);
  k = 0;
  for (int32_t z : zs) p.GridLineZ[++k] = z, p.LevelZ[k] = static_cast<float>(z);
  p.GridLineZ[0] = k;
  p.LevelZ[0] = static_cast<float>(k);
  for (int c = 1; c <= 10; ++c) {
    int a = c * 40, b = a + 25;  // one above the other along Z
    CombinedFootingRecord& cf = p.CombinedFootingTable[++p.CombinedCount];
    cf.CfMemberCount = 2;
    cf.CfMembers[1] = static_cast<int16_t>(a);
    cf.CfMembers[2] = static_cast<int16_t>(b);
    const FootingRecord& fa = p.FootingTable[a];
    const FootingRecord& fb = p.FootingTable[b];
    cf.CfLeft = static_cast<float>(fa.PosX - 800);
    cf.CfRight = static_cast<float>(fa.PosX + 800);
    cf.CfBottom = static_cast<float>(fa.PosZ - 500);
    cf.CfTop = static_cast<float>(fb.PosZ + 500);
    cf.CfLength = 5.0f, cf.CfWidth = 1.6f, cf.Cant1 = cf.Cant2 = 0.5f, cf.CfDistance = 4000;
    setCombined(p.FootingTable[a], c);
    setCombined(p.FootingTable[b], c);
  }
}

template <class F>
double millisecondsPerRun(int runs, F&& work) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < runs; ++i) work();
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / runs;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  auto project = std::make_unique<Project>();
  Project& p = *project;
  buildProject(p);

  const int w = 1600, h = 1000, runs = 50;
  QImage image(w, h, QImage::Format_RGB32);
  Rect fit = fitPlan(p, w, h);
  Viewport view(fit, QRectF(0, 0, w, h));
  double nine = digitWidth(&image, view);
  std::vector<std::string> labels;
  PlanOptions options;  // group marks and grid, as the window starts
  std::vector<Primitive> list;

  double build = millisecondsPerRun(runs, [&] { list = drawPlan(p, options, fit, nine, labels); });
  double paint = millisecondsPerRun(runs, [&] {
    image.fill(Qt::white);
    QPainter painter(&image);
    render(painter, list, view, screenStyle());
  });
  options.gap = options.actualSizes = true;
  double buildAll = millisecondsPerRun(runs, [&] { list = drawPlan(p, options, fit, nine, labels); });
  double gaps = millisecondsPerRun(runs, [&] { (void)findGapPairs(p); });
  TextMeasure measure = textMeasure(&image, view);
  PlanPoint probe = view.unmap(QPointF(w / 2.0, h / 2.0));
  double pick = millisecondsPerRun(runs, [&] { (void)hitTest(list, probe.x, probe.z, measure); });

  std::printf("plan of %d footings, %zu primitives, %dx%d image\n", p.FootingCount, list.size(), w, h);
  std::printf("  build plan primitives          %7.3f ms\n", build);
  std::printf("  paint them onto the image      %7.3f ms\n", paint);
  std::printf("  build with clash marks + sizes %7.3f ms (clash search alone %.3f ms)\n", buildAll, gaps);
  std::printf("  pick the footing under a point %7.3f ms\n", pick);
  std::printf("  redraw (build + paint)         %7.3f ms\n", build + paint);
  if (argc > 1) image.save(QString::fromLocal8Bit(argv[1]));  // the last picture, to look at
  return 0;
}
