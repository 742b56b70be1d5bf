#pragma once
// Seconds on the system's performance counter, for frame timing and real-time pacing.

double MonotonicSeconds();
// Returns once MonotonicSeconds() has reached dueSeconds (at once when it has).
void SleepUntil(double dueSeconds);
