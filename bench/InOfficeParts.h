#pragma once

#include <string>
#include <vector>

// Reads the insertion component's timing log (one line per call of the
// component, "execute T C part T C ..." in microseconds) and prints, for the
// timed clicks only, the median and 95th percentile of every part's wall
// time and of its waiting (wall time the thread did not run), and of the
// time the click spent outside the component: what the link measured less
// the whole call inside the office (the bridge both ways, its threads, the
// link itself).
//
// The log holds the calls of every component round in order: per round
// `warmUp` + `clicks` clicks, each paragraph break after every
// `symbolsPerParagraph`th of them one more call; `clientMilliseconds`
// holds the link's timed clicks of all rounds in the same order.
void PrintInOfficeParts(const std::string& logPath, const std::vector<double>& clientMilliseconds, int clicks,
                        int warmUp, int symbolsPerParagraph);
