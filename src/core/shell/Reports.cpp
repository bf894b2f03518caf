#include "shell/Reports.h"

#include "shell/OutFile.h"

namespace morvane {

std::string BannerText() {
  std::string text = "Morvane Pro - ";
  text += kVersionLabel;
  text += "\r\n\r\nby Quenby\r\n\r\nhttps://morvane.example.org/\r\n";
  return text;
}

void WriteBanner(OutFile& out) {
  out.write(BannerText());
}

std::string WarningBoxText(std::string_view description, std::string_view file) {
  std::string text(description);
  if (!file.empty()) {
    text += "\r\n\r\nFilename accessed -> ";
    text += file;
  }
  return text;
}

std::string ErrorBoxText(int number, std::string_view description, std::string_view file) {
  return "Error #" + std::to_string(number) + " -> " + ErrorMessage(number) + "\r\n\r\n" +
         WarningBoxText(description, file);
}

void Error_Handler(JobHost& host, int number, std::string_view description, std::string_view file) {
  host.errorBox(ErrorBoxText(number, description, file));
}

void Minor_Error_Handler(JobHost& host, std::string_view title, std::string_view description,
                         std::string_view file) {
  host.warningBox(std::string(title), WarningBoxText(description, file));
}

}  // namespace morvane
