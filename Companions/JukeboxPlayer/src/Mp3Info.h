#pragma once

#include <cstdint>
#include <string>

// What the player needs to know about an MP3 file without decoding it: its
// playing time, sample rate, bit rate and channels from the MPEG audio frame
// headers, and the title and artist of its ID3v1 trailer for display.
//
// Reading is bounded whatever the file holds: only the ID3v2 header, the frame
// headers and the trailer are read, a small window at a time. The first frame
// must start within kSyncSearchBytes of the audio's start, and sync lost later
// is searched for at most as far; an encoder's Xing/Info frame gives the frame
// count without a walk; a walk stops after kMaxWalkedFrames frames and
// extrapolates the rest of the audio from the frames it saw.
struct Mp3Info
{
    bool valid = false;          // at least one audio frame was found
    std::int64_t durationMs = 0; // sum of the frames' samples / sample rate
    int sampleRate = 0;          // Hz, of the first audio frame
    int bitrateKbps = 0;         // average over the audio frames
    int channels = 0;
    std::string title; // UTF-8, from the ID3v1 trailer; empty when there is none
    std::string artist;

    static constexpr std::int64_t kSyncSearchBytes = 128 * 1024;
    static constexpr std::int64_t kMaxWalkedFrames = 1 << 16;

    // Reads a regular file; anything else (a folder, a device, a pipe) and an
    // unreadable file give an invalid result. Never blocks on a pipe and never
    // throws for what the file holds.
    static Mp3Info fromFile(const std::string& path);
    // The same from the file's bytes.
    static Mp3Info fromBytes(const std::string& bytes);
};
