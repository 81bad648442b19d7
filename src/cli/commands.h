#pragma once
// The quendry-wld commands; each takes the arguments after its name and gives the exit code.
#include <string>
#include <vector>

int runCheck(const std::vector<std::string>& args);
int runConvert(const std::vector<std::string>& args);
int runDump(const std::vector<std::string>& args);
int runGenerate(const std::vector<std::string>& args);
int runLint(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);
