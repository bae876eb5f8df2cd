// The hit tests every collision of the play scene goes through.
#include "game/play.h"

bool SweptCircleHit(double x0, double x1, double shotCentreY, double shotRadius, double targetX, double targetY,
                    double targetRadius) {
  const double lo = x0 < x1 ? x0 : x1;
  const double hi = x0 < x1 ? x1 : x0;
  const double dy = shotCentreY - targetY;
  const double reach = shotRadius + targetRadius;
  // Shots move 16 px a frame and targets are small: sampling every 4 px is enough.
  for (double sx = lo; sx <= hi; sx += 4) {
    const double dx = sx - targetX;
    if (dy * dy + dx * dx < reach * reach) return true;
  }
  return false;
}

bool BoxHit(double aLeft, double aTop, double aRight, double aBottom, double bLeft, double bTop, double bRight,
            double bBottom) {
  const bool horizontal = (aLeft >= bLeft && aLeft <= bRight) || (aRight >= bLeft && aRight <= bRight);
  const bool vertical = (aTop >= bTop && aTop <= bBottom) || (aBottom >= bTop && aBottom <= bBottom);
  return horizontal && vertical;
}

bool PlayerTouches(const PlayerRecord& player, double centreX, double centreY, double radius) {
  const double dx = (player.x + PlayerWidth() / 2) - centreX;
  const double dy = (player.y + PlayerHeight() / 2) - centreY;
  const double reach = radius + 6;
  return dx * dx + dy * dy < reach * reach;
}
