#pragma once

// How many wave-input (microphone) devices the machine offers.
class WaveInputDevices {
public:
    virtual ~WaveInputDevices() = default;
    virtual int count() = 0;
};

// A machine without a microphone.
class NoWaveInputDevices final : public WaveInputDevices {
public:
    int count() override { return 0; }
};
