#pragma once

#include "calculate_spring.h"
#include "spring_design.h"

#include <string>
#include <vector>

// The window's designed sample: 70-C, G 79000, [tau] 660, d 4, D 28, n 5,
// n1 6.5, H0 44, heights 40/36/28, loads 0, pitch 4, no initial tension.
inline SpringDesign SampleDesign() {
    SpringDesign s;
    s.Material = "70-C";
    s.ShearModulus = 79000.0F;
    s.AllowableShearStress = 660.0F;
    s.ActiveCoils = 5.0F;
    s.TotalCoils = 6.5F;
    s.MeanDiameter = 28.0F;
    s.WireDiameter = 4.0F;
    s.WorkingHeight1 = 40.0F;
    s.WorkingHeight2 = 36.0F;
    s.WorkingHeight3 = 28.0F;
    s.Pitch = 4.0F;
    s.FreeHeight = 44.0F;
    return s;
}

// The sample's wire and coils as an extension spring with given loads:
// F0 50, F1..F3 100/200/300 (not yet calculated).
inline SpringDesign ExtensionExampleDesign() {
    SpringDesign s = SampleDesign();
    s.InitialTension = 50.0F;
    s.WorkingLoad1 = 100.0F;
    s.WorkingLoad2 = 200.0F;
    s.WorkingLoad3 = 300.0F;
    return s;
}

// Takes the notifications and does nothing with them.
class IgnoringListener : public CalculationListener {
  public:
    void warning(DesignWarning, const std::string &) override {}
    void totalCoilsReplaced(float) override {}
};

// Records every notification in the order it arrives.
class RecordingListener : public CalculationListener {
  public:
    std::vector<std::string> events;
    std::vector<DesignWarning> warnings;
    void warning(DesignWarning which, const std::string &text) override {
        warnings.push_back(which);
        events.push_back("warning:" + text);
    }
    void totalCoilsReplaced(float totalCoils) override {
        events.push_back("coils:" + std::to_string(totalCoils));
    }
};
