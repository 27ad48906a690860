#pragma once
// What an interval the window definition gives comes to on the players' machines: Windows runs a
// timer under 10 ms at its clock's granularity, about every 15 ms, so a 21-step morph lasts about
// a third of a second and the closing fade is seen beside its collapse. The Qt window keeps that
// look; longer intervals stay as given.
namespace packwell {

inline constexpr int kShortestTickMs = 15;

constexpr int TickInterval(int specifiedMs) { return specifiedMs < 10 ? kShortestTickMs : specifiedMs; }

}  // namespace packwell
