#pragma once

#include <cstdint>
#include <string>

// What the player needs to know about an MP3 file without decoding it: its
// playing time, sample rate, bit rate and channels from the MPEG audio frame
// headers, and the title and artist of its ID3v1 trailer for display.
struct Mp3Info
{
    bool valid = false;          // at least one audio frame was found
    std::int64_t durationMs = 0; // sum of the frames' samples / sample rate
    int sampleRate = 0;          // Hz, of the first audio frame
    int bitrateKbps = 0;         // average over the audio frames
    int channels = 0;
    std::string title; // UTF-8, from the ID3v1 trailer; empty when there is none
    std::string artist;

    // Reads the file; an unreadable file gives an invalid result.
    static Mp3Info fromFile(const std::string& path);
    // The same from the file's bytes.
    static Mp3Info fromBytes(const std::string& bytes);
};
