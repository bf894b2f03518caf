// The banner at the top of reports, and the texts of the two message boxes.
#pragma once

#include <string>
#include <string_view>

#include "shell/JobError.h"
#include "shell/JobHost.h"

namespace morvane {

inline constexpr std::string_view kCaption = "Morvane Pro by Quenby";
inline constexpr std::string_view kVersionLabel = "Version 15.12.14";

class OutFile;

// The five banner lines, each ending in CR LF.
std::string BannerText();
void WriteBanner(OutFile& out);

// Text of the job error box for error number with a step description and file.
std::string ErrorBoxText(int number, std::string_view description, std::string_view file);
// Text of the warning box.
std::string WarningBoxText(std::string_view description, std::string_view file);

void Error_Handler(JobHost& host, int number, std::string_view description, std::string_view file);
void Minor_Error_Handler(JobHost& host, std::string_view title, std::string_view description,
                         std::string_view file);

}  // namespace morvane
