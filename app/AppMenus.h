#pragma once

class App;

// Installs the application's menu bar on the new application object.
void InstallMenuBar(class App& app);
