// Creates services through the Service Control Manager API, so that a check knows exactly what
// is installed. Reads the services from standard input in TextForm, one block per service:
//
//   service "Name"
//     displayName "..."        serviceType 16        startType 2        errorControl 1
//     binaryPath "..."         loadOrderGroup "..."  serviceStartName "..."
//     dependencies "A" "+B"    description "..."     preshutdownTimeoutMs 240000
//
// (one key and its value per line). Missing keys are left to Windows' defaults. Prints one line
// per service and exits with 1 at the first service that cannot be created or configured.

#include "TextForm.h"

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct NewService
{
    std::u16string name;
    std::u16string displayName;
    DWORD serviceType = SERVICE_WIN32_OWN_PROCESS;
    DWORD startType = SERVICE_DEMAND_START;
    DWORD errorControl = SERVICE_ERROR_NORMAL;
    std::u16string binaryPath;
    std::u16string loadOrderGroup;
    std::vector<std::u16string> dependencies;
    std::u16string serviceStartName;
    bool hasDescription = false;
    std::u16string description;
    bool hasPreshutdownTimeout = false;
    DWORD preshutdownTimeoutMs = 0;
};

const wchar_t *wide(const std::u16string &text)
{
    return reinterpret_cast<const wchar_t *>(text.c_str());
}

const wchar_t *wideOrNull(const std::u16string &text)
{
    return text.empty() ? nullptr : wide(text);
}

// Reads `"a" "b" ...` into a list.
bool readTexts(const std::string &value, std::vector<std::u16string> &list)
{
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t end = start + 1;
        while (end < value.size() && value[end] != '"')
            end += value[end] == '\\' ? 2 : 1;
        std::u16string entry;
        if (end >= value.size() || !textform::unquote(value.substr(start, end + 1 - start), entry))
            return false;
        list.push_back(entry);
        start = end + 1;
        while (start < value.size() && value[start] == ' ')
            ++start;
    }
    return true;
}

bool readField(NewService &service, const std::string &key, const std::string &value)
{
    const auto number = [&value](DWORD &target) {
        char *end = nullptr;
        target = DWORD(std::strtoul(value.c_str(), &end, 0));
        return !value.empty() && *end == '\0';
    };
    if (key == "displayName")
        return textform::unquote(value, service.displayName);
    if (key == "serviceType")
        return number(service.serviceType);
    if (key == "startType")
        return number(service.startType);
    if (key == "errorControl")
        return number(service.errorControl);
    if (key == "binaryPath")
        return textform::unquote(value, service.binaryPath);
    if (key == "loadOrderGroup")
        return textform::unquote(value, service.loadOrderGroup);
    if (key == "dependencies")
        return readTexts(value, service.dependencies);
    if (key == "serviceStartName")
        return textform::unquote(value, service.serviceStartName);
    if (key == "description")
        return service.hasDescription = textform::unquote(value, service.description);
    if (key == "preshutdownTimeoutMs")
        return service.hasPreshutdownTimeout = number(service.preshutdownTimeoutMs);
    return false;
}

bool readServices(std::istream &input, std::vector<NewService> &services)
{
    std::string line;
    while (std::getline(input, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        if (line.rfind("service ", 0) == 0) {
            services.emplace_back();
            if (!textform::unquote(line.substr(8), services.back().name))
                return false;
            continue;
        }
        const std::size_t keyStart = line.find_first_not_of(' ');
        const std::size_t blank = line.find(' ', keyStart);
        if (services.empty() || keyStart == std::string::npos || blank == std::string::npos
            || !readField(services.back(), line.substr(keyStart, blank - keyStart),
                          line.substr(blank + 1))) {
            textform::write("cannot read: " + line + "\n");
            return false;
        }
    }
    return true;
}

bool fail(const std::u16string &name, const char *call)
{
    textform::write("failed " + textform::quoted(name) + ' ' + call + ' '
                    + std::to_string(GetLastError()) + "\n");
    return false;
}

bool create(SC_HANDLE manager, NewService &service)
{
    std::u16string dependencies;
    for (const auto &dependency : service.dependencies)
        dependencies += dependency + u'\0';
    if (!dependencies.empty())
        dependencies += u'\0';

    const wchar_t *dependencyList = dependencies.empty() ? nullptr : wide(dependencies);
    const wchar_t *group = wideOrNull(service.loadOrderGroup);
    const SC_HANDLE handle =
        CreateServiceW(manager, wide(service.name), wideOrNull(service.displayName),
                       SERVICE_CHANGE_CONFIG | SERVICE_QUERY_CONFIG, service.serviceType,
                       service.startType, service.errorControl, wide(service.binaryPath), group,
                       nullptr, dependencyList, wideOrNull(service.serviceStartName), nullptr);
    if (!handle)
        return fail(service.name, "CreateServiceW");

    bool ok = true;
    if (service.hasDescription) {
        SERVICE_DESCRIPTIONW description = {reinterpret_cast<LPWSTR>(service.description.data())};
        if (!ChangeServiceConfig2W(handle, SERVICE_CONFIG_DESCRIPTION, &description))
            ok = fail(service.name, "ChangeServiceConfig2W(description)");
    }
    if (ok && service.hasPreshutdownTimeout) {
        SERVICE_PRESHUTDOWN_INFO preshutdown = {service.preshutdownTimeoutMs};
        if (!ChangeServiceConfig2W(handle, SERVICE_CONFIG_PRESHUTDOWN_INFO, &preshutdown))
            ok = fail(service.name, "ChangeServiceConfig2W(preshutdown)");
    }
    CloseServiceHandle(handle);
    if (ok)
        textform::write("created " + textform::quoted(service.name) + "\n");
    return ok;
}

} // namespace

int wmain()
{
    std::vector<NewService> services;
    if (!readServices(std::cin, services))
        return 2;

    const SC_HANDLE manager =
        OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE);
    if (!manager) {
        textform::write("manager failed " + std::to_string(GetLastError()) + "\n");
        return 1;
    }
    bool ok = true;
    for (NewService &service : services) {
        if (!(ok = create(manager, service)))
            break;
    }
    CloseServiceHandle(manager);
    return ok ? 0 : 1;
}
