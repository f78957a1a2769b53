// Shared by the frame benchmark's pieces: the busy states it times.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct BenchState {
    std::string name;
    std::function<void()> setUp;  // puts the game in the state (not timed)
    std::function<void(int)> input;  // the frame's mouse, before each update
};

// Empties the shift and rebuilds the stations, as at the start of a run.
void resetStations();

std::vector<BenchState> benchStates();
