#pragma once

// What the check options ask of a design (filled by their own option group).
struct CheckRequest {
    bool check = false; // run the engineering checks after a completed calculation
};
