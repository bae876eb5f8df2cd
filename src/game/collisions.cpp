// The hit tests every collision of the play scene goes through.
#include "game/play.h"

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
