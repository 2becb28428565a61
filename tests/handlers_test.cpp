#include "app/handlers.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "app/viewer_state.h"
#include "capture.h"
#include "gl_harness.h"
#include "render/frame.h"

namespace {

int displays = 0;
void countDisplay() { ++displays; }

// Redisplays that the toolkit carries out once its pending events are handled.
int redisplaysAfter(void (*action)()) {
  glutDisplayFunc(countDisplay);
  for (int i = 0; i < 20; ++i) glutMainLoopEvent();  // settle the map and expose events
  displays = 0;
  action();
  glutMainLoopEvent();
  glutDisplayFunc(onDisplay);
  return displays;
}

// Every character code but Escape's, letters, digits, Enter, Tab, Backspace and Delete among
// them: each but the space advances the surface, wrapping after the last, and the space
// switched the animation once.
TEST(Keyboard, EveryCharacterCodeAdvancesOrSwitches) {
  openViewer();
  unsigned advanced = 0;
  for (int key = 0; key < 256; ++key) {
    if (key == 27) continue;
    onKeyboard(static_cast<unsigned char>(key), 0, 0);
    advanced += key != 32;
    ASSERT_EQ(viewerState.surfaceIndex, advanced % kSurfaceCount) << "after key " << key;
    ASSERT_EQ(viewerState.animate, key < 32) << "after key " << key;
  }
}

TEST(Keyboard, SixKeysBringBackTheFirstPicture) {
  openViewer();
  viewerState.animate = false;
  const Image before = readFrame();
  for (unsigned i = 0; i < kSurfaceCount; ++i) {
    onKeyboard('a', 0, 0);
    if (i + 1 < kSurfaceCount) {
      EXPECT_TRUE(readFrame().rgb != before.rgb) << "after " << i + 1 << " keys";
    }
  }
  EXPECT_EQ(viewerState.surfaceIndex, 0u);
  EXPECT_TRUE(readFrame().rgb == before.rgb);
}

TEST(Keyboard, SpaceSwitchesTheAnimationWithoutRedisplay) {
  openViewer();
  EXPECT_EQ(redisplaysAfter([] { onKeyboard(' ', 0, 0); }), 0);
  EXPECT_FALSE(viewerState.animate);
  onKeyboard(' ', 0, 0);
  EXPECT_TRUE(viewerState.animate);
  EXPECT_EQ(viewerState.surfaceIndex, 0u);
  EXPECT_EQ(redisplaysAfter([] { onKeyboard('n', 0, 0); }), 1);
  EXPECT_EQ(redisplaysAfter(onIdle), 1);
}

class Escape : public testing::TestWithParam<bool> {};

TEST_P(Escape, EndsTheProcessWithStatusOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        openViewer();
        viewerState.animate = GetParam();
        onKeyboard(27, 0, 0);
      },
      testing::ExitedWithCode(1), "");
}

INSTANTIATE_TEST_SUITE_P(AnimationOnAndOff, Escape, testing::Bool());

TEST(Clock, OneOscillationEveryThreeHundredCalls) {
  openViewer();
  onIdle();
  EXPECT_EQ(viewerState.phase, 0.5104712247848511f);
  for (int i = 1; i < 300; ++i) onIdle();
  EXPECT_EQ(viewerState.phase, 0.5000066757202148f);
  // The clock has wrapped past one period instead of growing without bound.
  EXPECT_GT(viewerState.clock, 0.0f);
  EXPECT_LT(viewerState.clock, 0.0001f);
}

// A clock that only grew in single precision would have coarsened and then stalled here.
TEST(Clock, KeepsItsPaceAfterThirtyMillionCalls) {
  openViewer();
  for (int i = 0; i < 30'000'000; ++i) onIdle();
  float lowest = 1, highest = 0;
  for (int i = 0; i < 300; ++i) {
    const double before = viewerState.clock;
    onIdle();
    double step = viewerState.clock - before;
    if (step < 0) step += kClockPeriod;
    ASSERT_NEAR(step, kPhaseStep, 1e-5) << "call " << i;
    lowest = std::min(lowest, viewerState.phase);
    highest = std::max(highest, viewerState.phase);
  }
  EXPECT_LT(lowest, 0.001f);
  EXPECT_GT(highest, 0.999f);
}

}  // namespace
