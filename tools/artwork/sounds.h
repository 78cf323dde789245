#pragma once

#include <QByteArray>
#include <vector>

namespace artwork {

constexpr int kSampleRate = 22050;

// The five event sounds as samples in [-1, 1], mono at kSampleRate.
std::vector<double> cipherSound(); // a quick ratchet of three clicks, under 0.1 s
std::vector<double> plainSound();  // one type bar striking, under 0.08 s
std::vector<double> runSound();    // the teleprinter motor running, under 2 s
std::vector<double> startSound();  // the motor starting with a relay click
std::vector<double> stopSound();   // the motor running down with a relay click

// A 16-bit PCM mono wave file of the samples.
QByteArray waveFile(const std::vector<double>& samples);

} // namespace artwork
