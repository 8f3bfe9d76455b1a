#pragma once

#include <QString>

#include <optional>

// How each codec name of the movie settings is written with FFmpeg's
// encoders into a QuickTime container, and how the quality scale (1024
// lossless, 1023 maximum, 768 high, 512 normal, 256 low) maps onto each
// encoder's own quality control. A name without an encoder of its own, or
// whose encoder refuses the frame size, is written with the nearest that works.
struct MovieCodec {
    // The encoder's own quality control.
    enum class Control {
        None,      // lossless or fixed: raw, TIFF, road-pizza
        QScale,    // quantiser scale 1 (best) .. 31
        Crf,       // x264's constant rate factor; lossless as quantiser 0
        Wavelet,   // JPEG 2000: lossless as the 5/3 wavelet, else quantiser scale
    };

    QString name;         // as chosen: "jpeg", "raw ", ...
    const char* encoder;  // FFmpeg's encoder
    const char* tag;      // four characters written in the container
    int pixelFormat;      // AVPixelFormat the encoder is fed
    Control control;
    // Written as this codec id although the encoder reports another (H.263+ as H.263).
    int containerCodecId;

    // The codec for `name` and a frame of `width` x `height`; unknown names are "jpeg".
    static MovieCodec choose(const QString& name, int width, int height);
    // What the five qualities become for one control.
    struct Setting {
        int qscale = 0;  // 0: not used
        int crf = -1;    // -1: not used; 0 with `lossless` means quantiser 0
        bool lossless = false;
    };
    static Setting setting(Control control, int quality);
    // The fallback when an encoder refuses the frame: Motion JPEG takes any size.
    static MovieCodec fallback();
};
