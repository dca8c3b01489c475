#!/usr/bin/env python3
"""Writes resources/sample-services.json: the simulated service database that a new user's
machine starts from off Windows. It describes a Windows Server with IIS, SQL Server and a few
third-party agents, so that the program shows a believable list.

Run it from anywhere; it writes the file relative to the repository. The output is stable."""

import hashlib
import json
import pathlib

LS = "LocalSystem"
LSVC = "NT AUTHORITY\\LocalService"
NSVC = "NT AUTHORITY\\NetworkService"
SYS32 = "C:\\Windows\\System32\\"

# Start types and their raw Windows values (delayed auto start is auto plus the flag).
START = {"boot": 0, "system": 1, "auto": 2, "delayed": 2, "demand": 3, "disabled": 4}

OWN, SHARE, INTERACTIVE, USER_SHARE = 0x10, 0x20, 0x100, 0x60
RESTART, REBOOT, RUN = 1, 2, 3

# Privileges Windows gives the svchost groups, by account.
PRIVILEGES = {
    LS: ["SeAuditPrivilege", "SeChangeNotifyPrivilege", "SeCreateGlobalPrivilege",
         "SeImpersonatePrivilege", "SeTcbPrivilege"],
    LSVC: ["SeChangeNotifyPrivilege", "SeCreateGlobalPrivilege", "SeImpersonatePrivilege"],
    NSVC: ["SeChangeNotifyPrivilege", "SeCreateGlobalPrivilege", "SeImpersonatePrivilege",
           "SeAuditPrivilege"],
}

GROUP_ACCOUNTS = {
    "netsvcs": LS, "DcomLaunch": LS, "LocalSystemNetworkRestricted": LS, "rpcss": NSVC,
    "RPCSS": NSVC, "LocalService": LSVC, "LocalServiceNetworkRestricted": LSVC,
    "LocalServiceNoNetwork": LSVC, "LocalServiceNoNetworkFirewall": LSVC,
    "LocalServiceAndNoImpersonation": LSVC, "NetworkService": NSVC,
    "NetworkServiceNetworkRestricted": NSVC, "NetworkServiceAndNoImpersonation": NSVC,
    "appmodel": LS, "wsappx": LS, "utcsvc": LS, "smbsvcs": LS, "iissvcs": LS, "apphost": LS,
    "print": LS, "imgsvc": LSVC, "defragsvc": LS, "swprv": LS, "smphost": NSVC,
    "AppReadiness": LS, "AxInstSVGroup": LS, "GraphicsPerfSvcGroup": LS, "Camera": LSVC,
    "WbioSvcGroup": LS, "WepHostSvcGroup": LSVC, "WerSvcGroup": LS, "wusvcs": LS,
    "ICService": LS, "rdxgroup": LS, "ftpsvc": LS, "UnistackSvcGroup": LS,
}

# Windows' own services hosted by svchost:
# (name, display name, svchost group, start, description, options)
SVCHOST = [
    ("AJRouter", "AllJoyn Router Service", "LocalServiceNetworkRestricted", "demand",
     "Routes AllJoyn messages for the local AllJoyn clients.", {}),
    ("AppIDSvc", "Application Identity", "LocalServiceNetworkRestricted", "demand",
     "Determines and verifies the identity of an application.",
     {"deps": ["RpcSs", "CryptSvc", "AppID"], "sid": 3}),
    ("Appinfo", "Application Information", "netsvcs", "demand",
     "Facilitates the running of interactive applications with additional administrative "
     "privileges.", {"deps": ["RpcSs", "ProfSvc"], "state": "running",
                     "privs": ["SeAssignPrimaryTokenPrivilege", "SeIncreaseQuotaPrivilege",
                               "SeTcbPrivilege"]}),
    ("AppMgmt", "Application Management", "netsvcs", "demand",
     "Processes installation, removal, and enumeration requests for software deployed through "
     "Group Policy.", {}),
    ("AppReadiness", "App Readiness", "AppReadiness", "demand",
     "Gets apps ready for use the first time a user signs in to this PC and when adding new "
     "apps.", {}),
    ("AppXSvc", "AppX Deployment Service (AppXSVC)", "wsappx", "demand",
     "Provides infrastructure support for deploying Store applications.", {"deps": ["rpcss"]}),
    ("AudioEndpointBuilder", "Windows Audio Endpoint Builder", "LocalSystemNetworkRestricted",
     "auto", "Manages audio devices for the Windows Audio service.", {"state": "running"}),
    ("Audiosrv", "Windows Audio", "LocalServiceNetworkRestricted", "auto",
     "Manages audio for Windows-based programs.",
     {"deps": ["AudioEndpointBuilder", "RpcSs"], "state": "running",
      "privs": ["SeIncreaseBasePriorityPrivilege"]}),
    ("AxInstSV", "ActiveX Installer (AxInstSV)", "AxInstSVGroup", "demand",
     "Provides User Account Control validation for the installation of ActiveX controls from "
     "the Internet.", {"deps": ["rpcss"]}),
    ("BFE", "Base Filtering Engine", "LocalServiceNoNetworkFirewall", "auto",
     "The Base Filtering Engine (BFE) is a service that manages firewall and Internet Protocol "
     "security (IPsec) policies.", {"deps": ["RpcSs"], "sid": 3, "state": "running"}),
    ("BITS", "Background Intelligent Transfer Service", "netsvcs", "delayed",
     "Transfers files in the background using idle network bandwidth.",
     {"deps": ["RpcSs"], "state": "running", "stop": 1500}),
    ("BrokerInfrastructure", "Background Tasks Infrastructure Service", "DcomLaunch", "auto",
     "Windows infrastructure service that controls which background tasks can run on the "
     "system.", {"deps": ["RpcEptMapper", "DcomLaunch", "RpcSs"], "state": "running",
                 "fail": "reboot"}),
    ("BTAGService", "Bluetooth Audio Gateway Service", "LocalServiceNetworkRestricted", "demand",
     "Service supporting the audio gateway role of the Bluetooth Handsfree Profile.",
     {"deps": ["rpcss"]}),
    ("BthAvctpSvc", "AVCTP service", "LocalService", "demand",
     "This is Audio Video Control Transport Protocol service", {}),
    ("bthserv", "Bluetooth Support Service", "LocalService", "demand",
     "The Bluetooth service supports discovery and association of remote Bluetooth devices.",
     {"deps": ["rpcss"]}),
    ("camsvc", "Capability Access Manager Service", "appmodel", "demand",
     "Provides facilities for managing UWP apps access to app capabilities as well as checking "
     "an app's access to specific app capabilities", {"deps": ["RpcSs"]}),
    ("CDPSvc", "Connected Devices Platform Service", "LocalService", "delayed",
     "This service is used for Connected Devices Platform scenarios",
     {"deps": ["ncbservice", "RpcSS", "Tcpip"], "state": "running"}),
    ("CertPropSvc", "Certificate Propagation", "netsvcs", "demand",
     "Copies user certificates and root certificates from smart cards into the current user's "
     "certificate store.", {"deps": ["RpcSs"]}),
    ("ClipSVC", "Client License Service (ClipSVC)", "wsappx", "demand",
     "Provides infrastructure support for the Microsoft Store.", {"deps": ["rpcss"]}),
    ("CoreMessagingRegistrar", "CoreMessaging", "LocalServiceNoNetwork", "auto",
     "Manages communication between system components.", {"deps": ["rpcss"],
                                                          "state": "running"}),
    ("CryptSvc", "Cryptographic Services", "NetworkService", "auto",
     "Provides three management services: Catalog Database Service, Protected Root Service "
     "and Automatic Root Certificate Update Service.", {"deps": ["RpcSs"], "state": "running"}),
    ("CscService", "Offline Files", "LocalSystemNetworkRestricted", "disabled",
     "The Offline Files service performs maintenance activities on the Offline Files cache.",
     {"deps": ["RpcSs"], "group": "Network"}),
    ("DcomLaunch", "DCOM Server Process Launcher", "DcomLaunch", "auto",
     "The DCOMLAUNCH service launches COM and DCOM servers in response to object activation "
     "requests.", {"state": "running", "fail": "reboot", "group": "COM Infrastructure",
                   "stop": 0}),
    ("defragsvc", "Optimize drives", "defragsvc", "demand",
     "Helps the computer run more efficiently by optimizing files on storage drives.",
     {"deps": ["RPCSS"]}),
    ("DeviceAssociationService", "Device Association Service", "LocalSystemNetworkRestricted",
     "demand", "Enables pairing between the system and wired or wireless devices.", {}),
    ("DeviceInstall", "Device Install Service", "DcomLaunch", "demand",
     "Enables a computer to recognize and adapt to hardware changes with little or no user "
     "input.", {}),
    ("DevQueryBroker", "DevQuery Background Discovery Broker", "LocalSystemNetworkRestricted",
     "demand", "Enables apps to discover devices with a background task", {}),
    ("Dhcp", "DHCP Client", "LocalServiceNetworkRestricted", "auto",
     "Registers and updates IP addresses and DNS records for this computer.",
     {"deps": ["NSI", "Afd"], "group": "TDI", "sid": 3, "state": "running"}),
    ("DiagTrack", "Connected User Experiences and Telemetry", "utcsvc", "auto",
     "The Connected User Experiences and Telemetry service enables features that support "
     "in-application and connected user experiences.", {"deps": ["RpcSs"],
                                                        "state": "running"}),
    ("DispBrokerDesktopSvc", "Display Policy Service", "LocalService", "delayed",
     "Manages the connection and configuration of local and remote displays",
     {"deps": ["RpcSs"], "state": "running"}),
    ("DmEnrollmentSvc", "Device Management Enrollment Service", "netsvcs", "demand",
     "Performs Device Enrollment Activities for Device Management", {}),
    ("dmwappushservice",
     "Device Management Wireless Application Protocol (WAP) Push message Routing Service",
     "netsvcs", "demand", "Routes Wireless Application Protocol (WAP) Push messages received "
     "by the device and synchronizes Device Management sessions", {"deps": ["rpcss"]}),
    ("Dnscache", "DNS Client", "NetworkService", "auto",
     "The DNS Client service (dnscache) caches Domain Name System (DNS) names and registers "
     "the full computer name for this computer.",
     {"deps": ["nsi"], "group": "TDI", "sid": 1, "state": "running"}),
    ("DoSvc", "Delivery Optimization", "NetworkService", "delayed",
     "Performs content delivery optimization tasks", {"deps": ["RpcSs"], "state": "running"}),
    ("dot3svc", "Wired AutoConfig", "LocalSystemNetworkRestricted", "demand",
     "The Wired AutoConfig (DOT3SVC) service is responsible for performing IEEE 802.1X "
     "authentication on Ethernet interfaces.", {"deps": ["Ndisuio", "RpcSs", "Eaphost"]}),
    ("DPS", "Diagnostic Policy Service", "LocalServiceNoNetwork", "delayed",
     "The Diagnostic Policy Service enables problem detection, troubleshooting and resolution "
     "for Windows components.", {"state": "running", "sid": 3}),
    ("DsmSvc", "Device Setup Manager", "netsvcs", "demand",
     "Enables the detection, download and installation of device-related software.", {}),
    ("DsSvc", "Data Sharing Service", "LocalSystemNetworkRestricted", "demand",
     "Provides data brokering between applications.", {}),
    ("DusmSvc", "Data Usage", "LocalServiceNetworkRestricted", "auto",
     "Network data usage, data limit, restrict background data, metered networks.",
     {"deps": ["RpcSs"], "state": "running"}),
    ("Eaphost", "Extensible Authentication Protocol", "netsvcs", "demand",
     "The Extensible Authentication Protocol (EAP) service provides network authentication.",
     {"deps": ["RPCSS", "KeyIso"]}),
    ("embeddedmode", "Embedded Mode", "LocalSystemNetworkRestricted", "demand",
     "The Embedded Mode service enables scenarios related to Background Applications.",
     {"deps": ["BrokerInfrastructure"]}),
    ("EntAppSvc", "Enterprise App Management Service", "appmodel", "demand",
     "Enables enterprise application management.", {}),
    ("EventLog", "Windows Event Log", "LocalServiceNetworkRestricted", "auto",
     "This service manages events and event logs.",
     {"sid": 3, "state": "running", "stop": 2000, "pre": 180000}),
    ("EventSystem", "COM+ Event System", "LocalService", "auto",
     "Supports System Event Notification Service (SENS), which provides automatic distribution "
     "of events to subscribing Component Object Model (COM) components.",
     {"deps": ["rpcss"], "state": "running"}),
    ("fdPHost", "Function Discovery Provider Host", "LocalService", "demand",
     "The FDPHOST service hosts the Function Discovery (FD) network discovery providers.",
     {"deps": ["RpcSs", "http"]}),
    ("FDResPub", "Function Discovery Resource Publication", "LocalServiceAndNoImpersonation",
     "demand", "Publishes this computer and resources attached to this computer so they can be "
     "discovered over the network.", {"deps": ["RpcSs", "http", "fdPHost"]}),
    ("FontCache", "Windows Font Cache Service", "LocalService", "auto",
     "Optimizes performance of applications by caching commonly used font data.",
     {"state": "running"}),
    ("FrameServer", "Windows Camera Frame Server", "Camera", "demand",
     "Enables multiple clients to access video frames from camera devices.", {}),
    ("gpsvc", "Group Policy Client", "netsvcs", "auto",
     "The service is responsible for applying settings configured by administrators for the "
     "computer and users through the Group Policy component.",
     {"deps": ["RPCSS", "Mup"], "state": "running", "group": "ProfSvc_Group", "fail": None,
      "pre": 600000}),
    ("GraphicsPerfSvc", "GraphicsPerfSvc", "GraphicsPerfSvcGroup", "demand",
     "Graphics performance monitor service", {}),
    ("hidserv", "Human Interface Device Service", "LocalSystemNetworkRestricted", "demand",
     "Activates and maintains the use of hot buttons on keyboards, remote controls, and other "
     "multimedia devices.", {}),
    ("HvHost", "HV Host Service", "LocalSystemNetworkRestricted", "demand",
     "Provides an interface for the Hyper-V hypervisor to provide per-partition performance "
     "counters to the host operating system.", {}),
    ("icssvc", "Windows Mobile Hotspot Service", "LocalServiceNetworkRestricted", "demand",
     "Provides the ability to share a cellular data connection with another device.",
     {"deps": ["RpcSs", "wcmsvc"]}),
    ("IKEEXT", "IKE and AuthIP IPsec Keying Modules", "netsvcs", "demand",
     "The IKEEXT service hosts the Internet Key Exchange (IKE) and Authenticated Internet "
     "Protocol (AuthIP) keying modules.", {"deps": ["BFE", "nsi"]}),
    ("InstallService", "Microsoft Store Install Service", "netsvcs", "demand",
     "Provides infrastructure support for the Microsoft Store.", {}),
    ("iphlpsvc", "IP Helper", "netsvcs", "auto",
     "Provides tunnel connectivity using IPv6 transition technologies and IP-HTTPS.",
     {"deps": ["RpcSS", "Tcpip", "WinHttpAutoProxySvc", "nsi"], "state": "running"}),
    ("IpxlatCfgSvc", "IP Translation Configuration Service", "LocalSystemNetworkRestricted",
     "demand", "Configures and enables translation from v4 to v6 and vice versa", {}),
    ("KPSSVC", "KDC Proxy Server service (KPS)", "NetworkService", "demand",
     "KDC Proxy Server service runs on edge servers to proxy Kerberos protocol messages to "
     "domain controllers on the corporate network.", {"deps": ["rpcss", "http"]}),
    ("KtmRm", "KtmRm for Distributed Transaction Coordinator",
     "NetworkServiceAndNoImpersonation", "demand",
     "Coordinates transactions between the Distributed Transaction Coordinator (MSDTC) and "
     "the Kernel Transaction Manager (KTM).", {"deps": ["RPCSS", "SamSS"]}),
    ("LanmanServer", "Server", "smbsvcs", "auto",
     "Supports file, print, and named-pipe sharing over the network for this computer.",
     {"deps": ["SamSS", "Srv2"], "state": "running", "stop": 2500}),
    ("LanmanWorkstation", "Workstation", "NetworkService", "auto",
     "Creates and maintains client network connections to remote servers using the SMB "
     "protocol.", {"deps": ["Bowser", "MRxSmb20", "NSI"], "group": "NetworkProvider",
                   "state": "running"}),
    ("lfsvc", "Geolocation Service", "netsvcs", "demand",
     "This service monitors the current location of the system and manages geofences",
     {"deps": ["rpcss"]}),
    ("LicenseManager", "Windows License Manager Service", "LocalService", "demand",
     "Provides infrastructure support for the Microsoft Store.", {"deps": ["RpcSs"]}),
    ("lltdsvc", "Link-Layer Topology Discovery Mapper", "LocalService", "demand",
     "Creates a Network Map, consisting of PC and device topology (connectivity) information.",
     {"deps": ["rpcss", "lltdio"]}),
    ("lmhosts", "TCP/IP NetBIOS Helper", "LocalServiceNetworkRestricted", "demand",
     "Provides support for the NetBIOS over TCP/IP (NetBT) service and NetBIOS name "
     "resolution for clients on the network.",
     {"deps": ["NetBT", "Afd"], "group": "TDI", "state": "running"}),
    ("LSM", "Local Session Manager", "DcomLaunch", "auto",
     "Core Windows Service that manages local user sessions.",
     {"deps": ["RpcEptMapper", "DcomLaunch", "RpcSs"], "state": "running", "fail": "reboot"}),
    ("LxpSvc", "Language Experience Service", "netsvcs", "demand",
     "Provides infrastructure support for deploying and configuring localized Windows "
     "resources.", {}),
    ("MapsBroker", "Downloaded Maps Manager", "NetworkService", "delayed",
     "Windows service for application access to downloaded maps.", {"deps": ["rpcss"]}),
    ("mpssvc", "Windows Defender Firewall", "LocalServiceNoNetworkFirewall", "auto",
     "Windows Defender Firewall helps protect your computer by preventing unauthorized users "
     "from gaining access to your computer through the Internet or a network.",
     {"deps": ["mpsdrv", "bfe"], "group": "NetworkProvider", "sid": 3, "state": "running"}),
    ("MSiSCSI", "Microsoft iSCSI Initiator Service", "netsvcs", "demand",
     "Manages Internet SCSI (iSCSI) sessions from this computer to remote iSCSI target "
     "devices.", {}),
    ("NaturalAuthentication", "Natural Authentication", "netsvcs", "demand",
     "Signal aggregator service, that evaluates signals based on time, network, geolocation, "
     "bluetooth and cdf factors.", {}),
    ("NcaSvc", "Network Connectivity Assistant", "NetSvcs", "demand",
     "Provides DirectAccess status notification for UI components",
     {"deps": ["BFE", "dnscache", "NSI", "iphlpsvc"]}),
    ("NcbService", "Network Connection Broker", "LocalSystemNetworkRestricted", "demand",
     "Brokers connections that allow Windows Store Apps to receive notifications from the "
     "internet.", {"deps": ["RpcSs", "Tcpip"], "state": "running"}),
    ("Netman", "Network Connections", "LocalSystemNetworkRestricted", "demand",
     "Manages objects in the Network and Dial-Up Connections folder.",
     {"deps": ["RpcSs", "nsi"], "state": "running"}),
    ("netprofm", "Network List Service", "LocalService", "demand",
     "Identifies the networks to which the computer has connected.",
     {"deps": ["RpcSs", "nlasvc"], "state": "running"}),
    ("NetSetupSvc", "Network Setup Service", "netsvcs", "demand",
     "The Network Setup Service manages the installation of network drivers and permits the "
     "configuration of low-level network settings.", {"deps": ["RpcSs"]}),
    ("NgcCtnrSvc", "Microsoft Passport Container", "LocalServiceNetworkRestricted", "demand",
     "Manages local user identity keys used to authenticate user to identity providers as well "
     "as TPM virtual smart cards.", {"deps": ["RpcSs"]}),
    ("NgcSvc", "Microsoft Passport", "LocalSystemNetworkRestricted", "demand",
     "Provides process isolation for cryptographic keys used to authenticate to a user's "
     "associated identity providers.", {"deps": ["RpcSs"]}),
    ("NlaSvc", "Network Location Awareness", "NetworkService", "auto",
     "Collects and stores configuration information for the network and notifies programs "
     "when this information is modified.",
     {"deps": ["NSI", "RpcSs", "TcpIp", "Dhcp", "Eventlog"], "state": "running"}),
    ("nsi", "Network Store Interface Service", "LocalService", "auto",
     "This service delivers network notifications (e.g. interface addition/deleting etc) to "
     "user mode clients.", {"deps": ["rpcss", "nsiproxy"], "sid": 3, "state": "running"}),
    ("PcaSvc", "Program Compatibility Assistant Service", "LocalSystemNetworkRestricted",
     "demand", "This service provides support for the Program Compatibility Assistant (PCA).",
     {}),
    ("PhoneSvc", "Phone Service", "LocalService", "demand",
     "Manages the telephony state on the device", {"deps": ["RpcSs"]}),
    ("pla", "Performance Logs & Alerts", "LocalServiceNoNetwork", "demand",
     "Performance Logs and Alerts Collects performance data from local or remote computers "
     "based on preconfigured schedule parameters.", {"deps": ["RPCSS"]}),
    ("PlugPlay", "Plug and Play", "DcomLaunch", "demand",
     "Enables a computer to recognize and adapt to hardware changes with little or no user "
     "input.", {"state": "running", "group": "PlugPlay"}),
    ("PolicyAgent", "IPsec Policy Agent", "NetworkServiceNetworkRestricted", "demand",
     "Internet Protocol security (IPsec) supports network-level peer authentication, data "
     "origin authentication, data integrity, data confidentiality (encryption), and replay "
     "protection.", {"deps": ["Tcpip", "bfe"]}),
    ("Power", "Power", "DcomLaunch", "auto", "Manages power policy and power policy notification "
     "delivery.", {"state": "running", "group": "Plugplay", "fail": "reboot"}),
    ("PrintNotify", "Printer Extensions and Notifications", "print", "demand",
     "This service opens custom printer dialog boxes and handles notifications from a remote "
     "print server or a printer.", {}),
    ("ProfSvc", "User Profile Service", "netsvcs", "auto",
     "This service is responsible for loading and unloading user profiles.",
     {"deps": ["RpcSs"], "state": "running", "group": "ProfSvc_Group"}),
    ("PushToInstall", "Windows PushToInstall Service", "netsvcs", "demand",
     "Provides infrastructure support for the Microsoft Store.", {}),
    ("QWAVE", "Quality Windows Audio Video Experience", "LocalServiceAndNoImpersonation",
     "demand", "Quality Windows Audio Video Experience (qWave) is a networking platform for "
     "Audio Video (AV) streaming applications on IP home networks.",
     {"deps": ["psched", "rpcss"]}),
    ("RasAuto", "Remote Access Auto Connection Manager", "netsvcs", "demand",
     "Creates a connection to a remote network whenever a program references a remote DNS or "
     "NetBIOS name or address.", {"deps": ["RasMan"]}),
    ("RasMan", "Remote Access Connection Manager", "netsvcs", "demand",
     "Manages dial-up and virtual private network (VPN) connections from this computer to the "
     "Internet or other remote networks.", {"deps": ["RpcSS", "SstpSvc"]}),
    ("RemoteAccess", "Routing and Remote Access", "netsvcs", "disabled",
     "Offers routing services to businesses in local area and wide area network environments.",
     {"deps": ["RpcSS", "Bfe", "RasMan", "Http"]}),
    ("RemoteRegistry", "Remote Registry", "localService", "delayed",
     "Enables remote users to modify registry settings on this computer.",
     {"deps": ["RPCSS"], "state": "running"}),
    ("RmSvc", "Radio Management Service", "LocalServiceNetworkRestricted", "demand",
     "Radio Management and Airplane Mode Service", {}),
    ("RpcEptMapper", "RPC Endpoint Mapper", "RPCSS", "auto",
     "Resolves RPC interfaces identifiers to transport endpoints.",
     {"state": "running", "group": "COM Infrastructure", "fail": "reboot", "sid": 1}),
    ("RpcSs", "Remote Procedure Call (RPC)", "rpcss", "auto",
     "The RPCSS service is the Service Control Manager for COM and DCOM servers.",
     {"deps": ["RpcEptMapper", "DcomLaunch"], "state": "running", "group": "COM Infrastructure",
      "fail": "reboot", "sid": 1}),
    ("sacsvr", "Special Administration Console Helper", "netsvcs", "demand",
     "Allows administrators to remotely access a command prompt using Emergency Management "
     "Services.", {}),
    ("SCardSvr", "Smart Card", "LocalServiceAndNoImpersonation", "demand",
     "Manages access to smart cards read by this computer.", {}),
    ("ScDeviceEnum", "Smart Card Device Enumeration Service", "LocalSystemNetworkRestricted",
     "demand", "Creates software device nodes for all smart card readers accessible to a given "
     "session.", {}),
    ("Schedule", "Task Scheduler", "netsvcs", "auto",
     "Enables a user to configure and schedule automated tasks on this computer.",
     {"deps": ["RPCSS", "SystemEventsBroker"], "state": "running", "group": "SchedulerGroup",
      "fail": None}),
    ("SCPolicySvc", "Smart Card Removal Policy", "netsvcs", "demand",
     "Allows the system to be configured to lock the user desktop upon smart card removal.",
     {"deps": ["RpcSs"]}),
    ("seclogon", "Secondary Logon", "netsvcs", "demand",
     "Enables starting processes under alternate credentials.", {}),
    ("SEMgrSvc", "Payments and NFC/SE Manager", "LocalService", "demand",
     "Manages payments and Near Field Communication (NFC) based secure elements.",
     {"deps": ["RpcSs"]}),
    ("SENS", "System Event Notification Service", "netsvcs", "auto",
     "Monitors system events and notifies subscribers to COM+ Event System of these events.",
     {"deps": ["EventSystem"], "state": "running"}),
    ("SensorService", "Sensor Service", "LocalSystemNetworkRestricted", "demand",
     "A service for sensors that manages different sensors' functionality.", {}),
    ("SensrSvc", "Sensor Monitoring Service", "LocalServiceAndNoImpersonation", "demand",
     "Monitors various sensors in order to expose data and adapt to system and user state.",
     {}),
    ("SessionEnv", "Remote Desktop Configuration", "netsvcs", "demand",
     "Remote Desktop Configuration service (RDCS) is responsible for all Remote Desktop "
     "Services and Remote Desktop related configuration and session maintenance activities.",
     {"deps": ["RPCSS", "LanmanWorkstation"], "state": "running"}),
    ("SharedAccess", "Internet Connection Sharing (ICS)", "netsvcs", "disabled",
     "Provides network access translation, addressing, name resolution and/or intrusion "
     "prevention services for a home or small office network.", {}),
    ("ShellHWDetection", "Shell Hardware Detection", "netsvcs", "auto",
     "Provides notifications for AutoPlay hardware events.",
     {"deps": ["RpcSs"], "state": "running"}),
    ("shpamsvc", "Shared PC Account Manager", "netsvcs", "disabled",
     "Manages profiles and accounts on a SharedPC configured device", {}),
    ("smphost", "Microsoft Storage Spaces SMP", "smphost", "demand",
     "Host service for the Microsoft Storage Spaces management provider.", {"deps": ["RpcSs"]}),
    ("SmsRouter", "Microsoft Windows SMS Router Service.", "LocalServiceNetworkRestricted",
     "demand", "Routes messages based on rules to appropriate clients.", {"deps": ["RpcSs"]}),
    ("SSDPSRV", "SSDP Discovery", "LocalServiceAndNoImpersonation", "demand",
     "Discovers networked devices and services that use the SSDP discovery protocol, such as "
     "UPnP devices.", {"deps": ["HTTP", "NSI"]}),
    ("SstpSvc", "Secure Socket Tunneling Protocol Service", "LocalService", "demand",
     "Provides support for the Secure Socket Tunneling Protocol (SSTP) to connect to remote "
     "computers using VPN.", {"state": "running"}),
    ("StateRepository", "State Repository Service", "appmodel", "demand",
     "Provides required infrastructure support for the application model.",
     {"deps": ["rpcss"], "state": "running"}),
    ("stisvc", "Windows Image Acquisition (WIA)", "imgsvc", "demand",
     "Provides image acquisition services for scanners and cameras", {"deps": ["RpcSs"]}),
    ("StorSvc", "Storage Service", "LocalSystemNetworkRestricted", "demand",
     "Provides enabling services for storage settings and external storage expansion",
     {"state": "running"}),
    ("svsvc", "Spot Verifier", "LocalSystemNetworkRestricted", "demand",
     "Verifies potential file system corruptions.", {}),
    ("swprv", "Microsoft Software Shadow Copy Provider", "swprv", "demand",
     "Manages software-based volume shadow copies taken by the Volume Shadow Copy service.",
     {"deps": ["RPCSS"]}),
    ("SysMain", "SysMain", "LocalSystemNetworkRestricted", "auto",
     "Maintains and improves system performance over time.", {"deps": ["rpcss"],
                                                             "state": "running"}),
    ("SystemEventsBroker", "System Events Broker", "DcomLaunch", "auto",
     "Coordinates execution of background work for WinRT application.",
     {"deps": ["RpcEptMapper", "RpcSs"], "state": "running"}),
    ("TabletInputService", "Touch Keyboard and Handwriting Panel Service",
     "LocalSystemNetworkRestricted", "demand",
     "Enables Touch Keyboard and Handwriting Panel pen and ink functionality", {}),
    ("tapisrv", "Telephony", "NetworkService", "demand",
     "Provides Telephony API (TAPI) support for programs that control telephony devices on the "
     "local computer.", {"deps": ["PlugPlay", "RpcSs"]}),
    ("TermService", "Remote Desktop Services", "NetworkService", "demand",
     "Allows users to connect interactively to a remote computer.",
     {"deps": ["RPCSS"], "state": "running", "stop": 3000}),
    ("Themes", "Themes", "netsvcs", "auto", "Provides user experience theme management.",
     {"state": "running"}),
    ("TimeBrokerSvc", "Time Broker", "LocalServiceNetworkRestricted", "demand",
     "Coordinates execution of background work for WinRT application.",
     {"deps": ["RpcEptMapper", "RpcSs"], "state": "running"}),
    ("TokenBroker", "Web Account Manager", "netsvcs", "demand",
     "This service is used by Web Account Manager to provide single-sign-on to apps and "
     "services.", {"state": "running"}),
    ("TrkWks", "Distributed Link Tracking Client", "LocalSystemNetworkRestricted", "auto",
     "Maintains links between NTFS files within a computer or across computers in a network.",
     {"deps": ["RpcSs"], "state": "running"}),
    ("TroubleshootingSvc", "Recommended Troubleshooting Service", "netsvcs", "demand",
     "Enables automatic mitigation for known problems by applying recommended troubleshooting.",
     {}),
    ("tzautoupdate", "Auto Time Zone Updater", "LocalService", "disabled",
     "Automatically sets the system time zone.", {}),
    ("UALSVC", "User Access Logging Service", "netsvcs", "delayed",
     "This service logs unique client access requests, in the form of IP addresses and user "
     "names, of installed products and roles on the local server.",
     {"deps": ["RpcSs", "WinMgmt"], "state": "running"}),
    ("UmRdpService", "Remote Desktop Services UserMode Port Redirector",
     "LocalSystemNetworkRestricted", "demand",
     "Allows the redirection of Printers/Drives/Ports for RDP connections",
     {"deps": ["TermService", "RDPDR"], "state": "running"}),
    ("upnphost", "UPnP Device Host", "LocalServiceAndNoImpersonation", "demand",
     "Allows UPnP devices to be hosted on this computer.", {"deps": ["SSDPSRV", "HTTP"]}),
    ("UserManager", "User Manager", "netsvcs", "auto",
     "User Manager provides the runtime components required for multi-user interaction",
     {"deps": ["RpcSs", "ProfSvc"], "state": "running"}),
    ("UsoSvc", "Update Orchestrator Service", "netsvcs", "delayed",
     "Manages Windows Updates.", {"deps": ["rpcss"], "state": "running"}),
    ("vmicguestinterface", "Hyper-V Guest Service Interface", "LocalSystemNetworkRestricted",
     "demand", "Provides an interface for the Hyper-V host to interact with specific services "
     "running inside the virtual machine.", {}),
    ("vmicheartbeat", "Hyper-V Heartbeat Service", "ICService", "demand",
     "Monitors the state of this virtual machine by reporting a heartbeat at regular "
     "intervals.", {"state": "running"}),
    ("vmickvpexchange", "Hyper-V Data Exchange Service", "LocalSystemNetworkRestricted",
     "demand", "Provides a mechanism to exchange data between the virtual machine and the "
     "operating system running on the physical computer.", {"state": "running"}),
    ("vmicrdv", "Hyper-V Remote Desktop Virtualization Service", "ICService", "demand",
     "Provides a platform for communication between the virtual machine and the operating "
     "system running on the physical computer.", {}),
    ("vmicshutdown", "Hyper-V Guest Shutdown Service", "LocalSystemNetworkRestricted",
     "demand", "Provides a mechanism to shut down the operating system of this virtual machine "
     "from the management interfaces on the physical computer.", {"state": "running"}),
    ("vmictimesync", "Hyper-V Time Synchronization Service", "LocalServiceNetworkRestricted",
     "demand", "Synchronizes the system time of this virtual machine with the system time of "
     "the physical computer.", {"state": "running", "privs": ["SeSystemtimePrivilege"]}),
    ("vmicvmsession", "Hyper-V PowerShell Direct Service", "LocalSystemNetworkRestricted",
     "demand", "Provides a mechanism to manage virtual machine with PowerShell via VM session "
     "without a virtual network.", {}),
    ("vmicvss", "Hyper-V Volume Shadow Copy Requestor", "LocalSystemNetworkRestricted",
     "demand", "Coordinates the communications that are required to use Volume Shadow Copy "
     "Service to back up applications and data on this virtual machine.", {}),
    ("W32Time", "Windows Time", "LocalService", "auto",
     "Maintains date and time synchronization on all clients and servers in the network.",
     {"state": "running", "privs": ["SeSystemtimePrivilege"], "sid": 1}),
    ("WaaSMedicSvc", "Windows Update Medic Service", "wusvcs", "demand",
     "Enables remediation and protection of Windows Update components.", {}),
    ("WalletService", "WalletService", "appmodel", "demand",
     "Hosts objects used by clients of the wallet", {}),
    ("WarpJITSvc", "WarpJITSvc", "LocalServiceNetworkRestricted", "demand",
     "Provides a JIT out of process service for WARP when running with ACG enabled.", {}),
    ("WbioSrvc", "Windows Biometric Service", "WbioSvcGroup", "demand",
     "The Windows biometric service gives client applications the ability to capture, "
     "compare, manipulate, and store biometric data.", {"deps": ["RpcSs"]}),
    ("Wcmsvc", "Windows Connection Manager", "LocalServiceNetworkRestricted", "auto",
     "Makes automatic connect/disconnect decisions based on the network connectivity options "
     "currently available to the PC.", {"deps": ["RpcSs", "NSI"], "sid": 3,
                                        "state": "running"}),
    ("WdiServiceHost", "Diagnostic Service Host", "LocalService", "demand",
     "The Diagnostic Service Host is used by the Diagnostic Policy Service to host diagnostics "
     "that need to run in a Local Service context.", {}),
    ("WdiSystemHost", "Diagnostic System Host", "LocalSystemNetworkRestricted", "demand",
     "The Diagnostic System Host is used by the Diagnostic Policy Service to host diagnostics "
     "that need to run in a Local System context.", {}),
    ("Wecsvc", "Windows Event Collector", "NetworkService", "demand",
     "This service manages persistent subscriptions to events from remote sources that "
     "support WS-Management protocol.", {"deps": ["HTTP", "Eventlog"]}),
    ("WEPHOSTSVC", "Windows Encryption Provider Host Service", "WepHostSvcGroup", "demand",
     "Windows Encryption Provider Host Service brokers encryption related functionalities "
     "from 3rd Party Encryption Providers to processes that need to evaluate and apply EAS "
     "policies.", {"deps": ["rpcss"]}),
    ("wercplsupport", "Problem Reports Control Panel Support", "netsvcs", "demand",
     "This service provides support for viewing, sending and deletion of system-level problem "
     "reports for the Problem Reports control panel.", {}),
    ("WerSvc", "Windows Error Reporting Service", "WerSvcGroup", "demand",
     "Allows errors to be reported when programs stop working or responding and allows "
     "existing solutions to be delivered.", {}),
    ("WiaRpc", "Still Image Acquisition Events", "LocalSystemNetworkRestricted", "demand",
     "Launches applications associated with still image acquisition events.",
     {"deps": ["RpcSs"]}),
    ("WinHttpAutoProxySvc", "WinHTTP Web Proxy Auto-Discovery Service",
     "LocalServiceNetworkRestricted", "demand",
     "WinHTTP implements the client HTTP stack and provides developers with a Win32 API and "
     "COM Automation component for sending HTTP requests and receiving responses.",
     {"deps": ["Dhcp"], "state": "running"}),
    ("Winmgmt", "Windows Management Instrumentation", "netsvcs", "auto",
     "Provides a common interface and object model to access management information about "
     "operating system, devices, applications and services.",
     {"deps": ["RPCSS"], "state": "running", "stop": 2500}),
    ("WinRM", "Windows Remote Management (WS-Management)", "NetworkService", "delayed",
     "Windows Remote Management (WinRM) service implements the WS-Management protocol for "
     "remote management.", {"deps": ["RPCSS", "HTTP"], "state": "running", "stop": 1200}),
    ("wisvc", "Windows Insider Service", "netsvcs", "demand",
     "Provides infrastructure support for the Windows Insider Program.", {}),
    ("wlidsvc", "Microsoft Account Sign-in Assistant", "netsvcs", "demand",
     "Enables user sign-in through Microsoft account identity services.",
     {"deps": ["RpcSs"]}),
    ("WManSvc", "Windows Management Service", "netsvcs", "demand",
     "Performs management including Provisioning and Enrollment activities", {}),
    ("WPDBusEnum", "Portable Device Enumerator Service", "LocalSystemNetworkRestricted",
     "demand", "Enforces group policy for removable mass-storage devices.",
     {"deps": ["RpcSs"]}),
    ("WpnService", "Windows Push Notifications System Service", "netsvcs", "auto",
     "This service runs in session 0 and hosts the notification platform and connection "
     "provider.", {"deps": ["rpcss"], "state": "running"}),
    # wuauserv is started on demand but carries the delayed flag, as on a real machine.
    ("wuauserv", "Windows Update", "netsvcs", "demand",
     "Enables the detection, download, and installation of updates for Windows and other "
     "programs.", {"deps": ["rpcss"], "delayedFlag": True, "state": "running", "stop": 4000,
                   "pre": 600000}),
    # The IIS web server role.
    ("W3SVC", "World Wide Web Publishing Service", "iissvcs", "auto",
     "Provides Web connectivity and administration through the Internet Information Services "
     "Manager", {"deps": ["WAS", "HTTP"], "state": "running", "stop": 3000}),
    ("WAS", "Windows Process Activation Service", "iissvcs", "demand",
     "The Windows Process Activation Service (WAS) provides process activation, resource "
     "management and health management services for message-activated applications.",
     {"deps": ["RPCSS"], "state": "running", "stop": 2000}),
    ("AppHostSvc", "Application Host Helper Service", "apphost", "auto",
     "Provides administrative services for IIS, for example configuration history and "
     "Application Pool account mapping.", {"state": "running"}),
    ("ftpsvc", "Microsoft FTP Service", "ftpsvc", "demand",
     "Enables this server to be a File Transfer Protocol (FTP) server.",
     {"deps": ["HTTP"]}),
]

# Per-user service templates (type 0x60): listed like any other service.
USER_TEMPLATES = [
    ("CDPUserSvc", "Connected Devices Platform User Service", "UnistackSvcGroup", "auto",
     "This user service is used for Connected Devices Platform scenarios"),
    ("OneSyncSvc", "Sync Host", "UnistackSvcGroup", "delayed",
     "This service synchronizes mail, contacts, calendar and various other user data."),
    ("WpnUserService", "Windows Push Notifications User Service", "UnistackSvcGroup", "auto",
     "This service hosts Windows notification platform which provides support for local and "
     "push notifications."),
    ("cbdhsvc", "Clipboard User Service", "ClipboardSvcGroup", "demand",
     "This user service is used for Clipboard scenarios"),
]

PF = "C:\\Program Files\\"

# Services with their own program: (name, display name, program line, start, account,
# description, options)
OWN_PROCESS = [
    ("ALG", "Application Layer Gateway Service", SYS32 + "alg.exe", "demand", LSVC,
     "Provides support for 3rd party protocol plug-ins for Internet Connection Sharing", {}),
    ("AppVClient", "Microsoft App-V Client", SYS32 + "AppVClient.exe", "disabled", LS,
     "Manages App-V users and virtual applications", {"deps": ["AppvVfs", "RpcSS",
                                                               "AppvStrm", "netprofm"]}),
    ("COMSysApp", "COM+ System Application",
     SYS32 + "dllhost.exe /Processid:{02D4B3F1-FD88-11D1-960D-00805FC79235}", "demand", LS,
     "Manages the configuration and tracking of Component Object Model (COM)+-based "
     "components.", {"deps": ["SENS", "EventSystem", "rpcss"]}),
    ("diagnosticshub.standardcollector.service",
     "Microsoft (R) Diagnostics Hub Standard Collector Service",
     SYS32 + "DiagSvcs\\DiagnosticsHub.StandardCollector.Service.exe", "demand", LS,
     "Diagnostics Hub Standard Collector Service.", {}),
    ("EFS", "Encrypting File System (EFS)", SYS32 + "lsass.exe", "demand", LS,
     "Provides the core file encryption technology used to store encrypted files on NTFS file "
     "system volumes.", {"share": True, "deps": ["RPCSS"]}),
    ("KeyIso", "CNG Key Isolation", SYS32 + "lsass.exe", "demand", LS,
     "The CNG key isolation service is hosted in the LSA process.",
     {"share": True, "state": "running", "deps": ["RpcSs"]}),
    ("MSDTC", "Distributed Transaction Coordinator", SYS32 + "msdtc.exe", "delayed", NSVC,
     "Coordinates transactions that span multiple resource managers, such as databases, "
     "message queues, and file systems.", {"deps": ["RPCSS", "SamSS"], "state": "running"}),
    ("msiserver", "Windows Installer", SYS32 + "msiexec.exe /V", "demand", LS,
     "Adds, modifies, and removes applications provided as a Windows Installer (*.msi, *.msp) "
     "package.", {"deps": ["rpcss"]}),
    ("Netlogon", "Netlogon", SYS32 + "lsass.exe", "demand", LS,
     "Maintains a secure channel between this computer and the domain controller for "
     "authenticating users and services.",
     {"share": True, "deps": ["LanmanWorkstation"], "group": "RemoteValidation"}),
    ("NetTcpPortSharing", "Net.Tcp Port Sharing Service",
     "C:\\Windows\\Microsoft.NET\\Framework64\\v4.0.30319\\SMSvcHost.exe", "disabled", LSVC,
     "Provides ability to share TCP ports over the net.tcp protocol.", {"sid": 3}),
    ("PerfHost", "Performance Counter DLL Host", SYS32 + "perfhost.exe", "demand", LSVC,
     "Enables remote users and 64-bit processes to query performance counters provided by "
     "32-bit DLLs.", {"sid": 1}),
    ("RpcLocator", "Remote Procedure Call (RPC) Locator", SYS32 + "locator.exe", "demand",
     NSVC, "In Windows 2003 and earlier versions of Windows, the Remote Procedure Call (RPC) "
     "Locator service manages the RPC name service database.", {"deps": ["LanmanWorkstation"]}),
    ("RSoPProv", "Resultant Set of Policy Provider", SYS32 + "RSoPProv.exe", "demand", LS,
     "Provides a network service that processes requests to simulate application of Group "
     "Policy settings for a target user or computer.", {"deps": ["RPCSS"]}),
    ("SamSs", "Security Accounts Manager", SYS32 + "lsass.exe", "auto", LS,
     "The startup of this service signals other services that the Security Accounts Manager "
     "(SAM) is ready to accept requests.",
     {"share": True, "deps": ["RPCSS"], "state": "running", "fail": "reboot"}),
    ("SecurityHealthService", "Windows Security Service",
     SYS32 + "SecurityHealthService.exe", "demand", LS,
     "Windows Security Service handles unified device protection and health information",
     {"state": "running", "launchProtected": 2, "sid": 1}),
    ("SensorDataService", "Sensor Data Service", SYS32 + "SensorDataService.exe", "demand",
     LS, "Delivers data from a variety of sensors", {}),
    ("SgrmBroker", "System Guard Runtime Monitor Broker", SYS32 + "SgrmBroker.exe",
     "delayed", LS, "Monitors and attests to the integrity of the Windows platform.",
     {"state": "running", "launchProtected": 1, "sid": 1}),
    ("SNMPTRAP", "SNMP Trap", SYS32 + "snmptrap.exe", "demand", LSVC,
     "Receives trap messages generated by local or remote Simple Network Management Protocol "
     "(SNMP) agents and forwards the messages to SNMP management programs running on this "
     "computer.", {"sid": 1}),
    ("Spooler", "Print Spooler", SYS32 + "spoolsv.exe", "auto", LS,
     "This service spools print jobs and handles interaction with the printer.",
     {"interactive": True, "deps": ["RPCSS", "http"], "group": "SpoolerGroup",
      "state": "running", "stop": 1000, "sid": 1, "privs": ["SeTcbPrivilege",
      "SeImpersonatePrivilege", "SeAuditPrivilege", "SeChangeNotifyPrivilege",
      "SeAssignPrimaryTokenPrivilege", "SeLoadDriverPrivilege"]}),
    ("sppsvc", "Software Protection", SYS32 + "sppsvc.exe", "delayed", NSVC,
     "Enables the download, installation and enforcement of digital licenses for Windows and "
     "Windows applications.", {"deps": ["RpcSs"], "sid": 3, "state": "running",
                               "pre": 120000}),
    ("ssh-agent", "OpenSSH Authentication Agent", SYS32 + "OpenSSH\\ssh-agent.exe",
     "disabled", LS, "Agent to hold private keys used for public key authentication.", {}),
    ("sshd", "OpenSSH SSH Server", SYS32 + "OpenSSH\\sshd.exe", "auto", LS,
     "SSH protocol based service to provide secure encrypted communications between two "
     "untrusted hosts over an insecure network.", {"state": "running", "sid": 1}),
    ("TieringEngineService", "Storage Tiers Management", SYS32 + "TieringEngineService.exe",
     "demand", LS, "Optimizes the placement of data in storage tiers on all tiered storage "
     "spaces in the system.", {}),
    ("TrustedInstaller", "Windows Modules Installer",
     "C:\\Windows\\servicing\\TrustedInstaller.exe", "demand", LS,
     "Enables installation, modification, and removal of Windows updates and optional "
     "components.", {"pre": 3600000, "sid": 1}),
    ("UevAgentService", "User Experience Virtualization Service", SYS32 + "AgentService.exe",
     "disabled", LS, "Provides support for application and OS settings roaming", {}),
    ("VaultSvc", "Credential Manager", SYS32 + "lsass.exe", "demand", LS,
     "Provides secure storage and retrieval of credentials to users, applications and "
     "security service packages.", {"share": True, "state": "running", "deps": ["rpcss"]}),
    ("vds", "Virtual Disk", SYS32 + "vds.exe", "demand", LS,
     "Provides management services for disks, volumes, file systems, and storage arrays.",
     {"deps": ["rpcss"]}),
    ("VSS", "Volume Shadow Copy", SYS32 + "vssvc.exe", "demand", LS,
     "Manages and implements Volume Shadow Copies used for backup and other purposes.",
     {"deps": ["RPCSS"]}),
    ("WdNisSvc", "Microsoft Defender Antivirus Network Inspection Service",
     "\"C:\\ProgramData\\Microsoft\\Windows Defender\\platform\\4.18.23110.3-0\\NisSrv.exe\"",
     "demand", LSVC, "Helps guard against intrusion attempts targeting known and newly "
     "discovered vulnerabilities in network protocols",
     {"deps": ["WdNisDrv"], "launchProtected": 3, "sid": 1, "state": "running"}),
    ("WinDefend", "Microsoft Defender Antivirus Service",
     "\"C:\\ProgramData\\Microsoft\\Windows Defender\\platform\\4.18.23110.3-0\\MsMpEng.exe\"",
     "auto", LS, "Helps protect users from malware and other potentially unwanted software",
     {"deps": ["RpcSs"], "launchProtected": 3, "sid": 1, "state": "running", "stop": 2500}),
    ("wmiApSrv", "WMI Performance Adapter", SYS32 + "wbem\\WmiApSrv.exe", "demand", LS,
     "Provides performance library information from Windows Management Instrumentation (WMI) "
     "providers to clients on the network.", {}),
    ("WSearch", "Windows Search", SYS32 + "SearchIndexer.exe /Embedding", "delayed", LS,
     "Provides content indexing, property caching, and search results for files, e-mail, and "
     "other content.", {"deps": ["RPCSS"], "state": "running", "stop": 3500}),
    ("WMSVC", "Web Management Service", SYS32 + "inetsrv\\WMSvc.exe", "demand", LSVC,
     "The Web Management Service enables remote and delegated management capabilities for "
     "administrators to manage for the Web server, sites and applications present on the "
     "machine.", {"deps": ["http"], "sid": 1}),
    ("aspnet_state", "ASP.NET State Service",
     "C:\\Windows\\Microsoft.NET\\Framework64\\v4.0.30319\\aspnet_state.exe", "demand", NSVC,
     "Provides support for out-of-process session states for ASP.NET.", {}),
    # SQL Server, a default instance and an Express instance.
    ("MSSQLSERVER", "SQL Server (MSSQLSERVER)",
     "\"" + PF + "Microsoft SQL Server\\MSSQL16.MSSQLSERVER\\MSSQL\\Binn\\sqlservr.exe\" "
     "-sMSSQLSERVER", "auto", "NT Service\\MSSQLSERVER",
     "Provides storage, processing and controlled access of data, and rapid transaction "
     "processing.", {"sid": 1, "state": "running", "stop": 8000, "pre": 180000,
                     "fail": None}),
    ("SQLSERVERAGENT", "SQL Server Agent (MSSQLSERVER)",
     "\"" + PF + "Microsoft SQL Server\\MSSQL16.MSSQLSERVER\\MSSQL\\Binn\\SQLAGENT.EXE\" "
     "-i MSSQLSERVER", "auto", "NT Service\\SQLSERVERAGENT",
     "Executes jobs, monitors SQL Server, fires alerts, and allows automation of some "
     "administrative tasks.", {"deps": ["MSSQLSERVER"], "sid": 1, "state": "running",
                               "stop": 2000}),
    ("SQLBrowser", "SQL Server Browser",
     "\"C:\\Program Files (x86)\\Microsoft SQL Server\\90\\Shared\\sqlbrowser.exe\"",
     "auto", LSVC, "Provides SQL Server connection information to client computers.",
     {"state": "running"}),
    ("SQLWriter", "SQL Server VSS Writer",
     "\"" + PF + "Microsoft SQL Server\\90\\Shared\\sqlwriter.exe\"", "auto", LS,
     "Provides the interface to backup/restore Microsoft SQL server through the Windows VSS "
     "infrastructure.", {"state": "running"}),
    ("SQLTELEMETRY", "SQL Server CEIP service (MSSQLSERVER)",
     "\"" + PF + "Microsoft SQL Server\\MSSQL16.MSSQLSERVER\\MSSQL\\Binn\\sqlceip.exe\" "
     "-Service MSSQLSERVER", "delayed", "NT Service\\SQLTELEMETRY",
     "CEIP service for Sql server instance", {"sid": 1, "state": "running"}),
    ("MSSQLFDLauncher", "SQL Full-text Filter Daemon Launcher (MSSQLSERVER)",
     "\"" + PF + "Microsoft SQL Server\\MSSQL16.MSSQLSERVER\\MSSQL\\Binn\\fdlauncher.exe\" "
     "-s MSSQL16.MSSQLSERVER", "demand", "NT Service\\MSSQLFDLauncher",
     "Service to launch full-text filter daemon process which will perform document filtering "
     "and word breaking for SQL Server full-text search.", {"sid": 1}),
    ("MSSQL$SQLEXPRESS", "SQL Server (SQLEXPRESS)",
     "\"" + PF + "Microsoft SQL Server\\MSSQL16.SQLEXPRESS\\MSSQL\\Binn\\sqlservr.exe\" "
     "-sSQLEXPRESS", "auto", "NT Service\\MSSQL$SQLEXPRESS",
     "Provides storage, processing and controlled access of data, and rapid transaction "
     "processing.", {"sid": 1, "state": "running", "stop": 5000}),
    ("SQLAgent$SQLEXPRESS", "SQL Server Agent (SQLEXPRESS)",
     "\"" + PF + "Microsoft SQL Server\\MSSQL16.SQLEXPRESS\\MSSQL\\Binn\\SQLAGENT.EXE\" "
     "-i SQLEXPRESS", "disabled", NSVC,
     "Executes jobs, monitors SQL Server, fires alerts, and allows automation of some "
     "administrative tasks.", {"deps": ["MSSQL$SQLEXPRESS"], "sid": 1}),
]

# Third-party services: quoted program paths with arguments, service accounts, recovery
# commands, descriptions with quotes and text beyond ASCII.
THIRD_PARTY = [
    ("ContosoBackupAgent", "Contoso Backup Agent",
     "\"" + PF + "Contoso\\Backup Agent\\cbagent.exe\" --service --config "
     "\"C:\\ProgramData\\Contoso\\Backup\\agent.json\"", "delayed", LS,
     "Runs the scheduled backups of this server. Stop it only from the \"Backup Console\", "
     "never while a job is running.",
     {"deps": ["LanmanWorkstation", "+TDI"], "state": "running", "stop": 6000,
      "fail": ("custom", 86400, [(RESTART, 30000), (RESTART, 60000), (RUN, 120000)]),
      "command": "\"" + PF + "Contoso\\Backup Agent\\notify.cmd\" --service ContosoBackupAgent "
      "--level error", "pre": 300000}),
    ("ContosoBackupScheduler", "Contoso Backup Scheduler",
     "\"" + PF + "Contoso\\Backup Agent\\cbsched.exe\" -run", "auto", LS,
     "Starts backup jobs at the times set in the Backup Console.",
     {"deps": ["ContosoBackupAgent"], "state": "running",
      "fail": ("custom", 3600, [(RESTART, 5000)])}),
    ("FabrikamMonitor", "Fabrikam Monitoring Agent",
     "\"" + PF + "Fabrikam\\Monitoring Agent\\fmagent.exe\" /service /port=10050",
     "auto", NSVC,
     "Überwacht Leistungsindikatoren und Ereignisprotokolle und meldet sie an den "
     "Fabrikam-Server (Intervall ≥ 30 s).",
     {"deps": ["Tcpip", "Winmgmt"], "state": "running", "sid": 1,
      "fail": ("custom", 259200, [(RESTART, 10000), (RESTART, 10000), (RESTART, 10000)])}),
    ("FabrikamUpdater", "Fabrikam Update Service",
     "\"C:\\Program Files (x86)\\Fabrikam\\Update\\fupdate.exe\" /svc", "demand", LS,
     "Hält Fabrikam-Produkte auf dem neuesten Stand. Wird der Dienst beendet, werden keine "
     "Sicherheitsupdates mehr installiert.", {}),
    ("Fabrikam Log Shipper", "Fabrikam Log Shipper",
     "\"" + PF + "Fabrikam\\Log Shipper\\shipper.exe\" --config \"" + PF
     + "Fabrikam\\Log Shipper\\shipper.yml\"", "delayed", NSVC,
     "Ships Windows event logs and IIS logs to the central log store.",
     {"deps": ["EventLog", "Tcpip"], "state": "running", "stop": 1500}),
    ("NorthwindPOS", "Northwind Kassen-Dienst",
     "\"D:\\Northwind\\POS Server\\posserver.exe\" -service -instance=\"Filiale 12\"", "auto",
     ".\\svc_pos", "Nimmt Buchungen der Kassen entgegen und schreibt sie in die "
     "Filialdatenbank „POS“.",
     {"deps": ["MSSQL$SQLEXPRESS", "Tcpip"], "state": "running", "stop": 2500,
      "fail": ("custom", 86400, [(RESTART, 0), (RUN, 5000), (REBOOT, 600000)]),
      "command": "\"D:\\Northwind\\POS Server\\alarm.exe\" /mail it@northwind.example",
      "reboot": "Der Kassen-Dienst ist dreimal ausgefallen; der Server startet neu."}),
    ("NorthwindSync", "Northwind Filialabgleich",
     "\"D:\\Northwind\\Sync\\nwsync.exe\" --mode=service", "delayed", "CORP\\svc-nwsync",
     "Gleicht Artikel, Preise und Buchungen mit der Zentrale ab.",
     {"deps": ["NorthwindPOS", "+NetworkProvider"], "state": "running",
      "fail": ("custom", 86400, [(RESTART, 60000), (RESTART, 60000), (0, 0)])}),
    ("TailspinLicensing", "Tailspin License Server",
     "\"" + PF + "Tailspin\\License Server\\tlserver.exe\"", "auto", NSVC,
     "Hands out floating licenses for Tailspin Designer to workstations on the network.",
     {"state": "running", "sid": 3,
      "fail": ("custom", 0xFFFFFFFF,
               [(RESTART, 1000), (RESTART, 5000), (RESTART, 30000), (REBOOT, 60000)]),
      "reboot": "Tailspin License Server failed four times; restarting this server.",
      "privs": ["SeChangeNotifyPrivilege", "SeCreateGlobalPrivilege"]}),
    ("WoodgroveRelay", "Woodgrove SMTP Relay",
     "\"" + PF + "Woodgrove\\Relay\\relay.exe\" -c relay.ini", "auto", LSVC,
     "Forwards mail from scanners and applications to the Woodgrove mail gateway.",
     {"deps": ["Tcpip", "Dnscache"], "state": "running", "sid": 1}),
    ("WoodgroveRemote", "Woodgrove Remote Support",
     "\"C:\\Program Files (x86)\\Woodgrove\\Remote Support\\wrsvc.exe\"", "demand", LS,
     "Lets the Woodgrove help desk connect to this server when you start a support session.",
     {}),
    ("AdventureWorksApi", "AdventureWorks API Gateway",
     "\"" + PF + "AdventureWorks\\Gateway\\gateway.exe\" run --urls \"http://*:8080\" "
     "--environment Production", "delayed", "CORP\\svc-awapi$",
     "Serves the AdventureWorks REST API. Settings: appsettings.Production.json.",
     {"deps": ["HTTP", "MSSQLSERVER"], "state": "running", "stop": 3000, "sid": 1,
      "fail": ("custom", 86400, [(RESTART, 2000), (RESTART, 15000), (0, 0)])}),
    ("LitwareEndpoint", "Litware Endpoint Protection",
     "\"" + PF + "Litware\\Endpoint\\lepsvc.exe\"", "auto", LS,
     "Protects this computer against malware. Litware Endpoint Protection cannot be stopped "
     "while protection is enabled.",
     {"state": "running", "launchProtected": 3, "sid": 1,
      "fail": ("custom", 86400, [(RESTART, 0), (RESTART, 0), (RESTART, 0)])}),
    ("LitwareEndpointUpdate", "Litware Endpoint Protection Updater",
     "\"" + PF + "Litware\\Endpoint\\lepupdate.exe\" -service", "demand", LS,
     "Downloads signature and engine updates for Litware Endpoint Protection.",
     {"deps": ["LitwareEndpoint"]}),
    ("ContosoLabelBridge", "Contoso Label Printer Bridge",
     "C:\\Contoso\\LabelBridge\\lblbridge.exe", "demand", LS,
     "Legacy bridge that shows the label printer's status window on the console.",
     {"interactive": True}),
    ("postgresql-x64-16", "postgresql-x64-16 - PostgreSQL Server 16",
     "\"" + PF + "PostgreSQL\\16\\bin\\pg_ctl.exe\" runservice -N \"postgresql-x64-16\" "
     "-D \"" + PF + "PostgreSQL\\16\\data\" -w", "auto", NSVC,
     "Provides relational database storage.", {"state": "running", "stop": 4000}),
    ("Apache2.4", "Apache2.4", "\"C:\\Apache24\\bin\\httpd.exe\" -k runservice", "auto", LS,
     "Apache/2.4.58 (Win64)", {"deps": ["Tcpip", "Afd"], "state": "running", "stop": 1500}),
    ("Tomcat9", "Apache Tomcat 9.0 Tomcat9",
     "\"" + PF + "Apache Software Foundation\\Tomcat 9.0\\bin\\Tomcat9.exe\" //RS//Tomcat9",
     "demand", LSVC, "Apache Tomcat 9.0.83 Server - https://tomcat.apache.org/",
     {"deps": ["Tcpip", "Afd"]}),
    ("Zabbix Agent 2", "Zabbix Agent 2",
     "\"" + PF + "Zabbix Agent 2\\zabbix_agent2.exe\" -c \"" + PF
     + "Zabbix Agent 2\\zabbix_agent2.conf\" -f=false", "auto", LS,
     "Provides system monitoring", {"state": "running"}),
    ("TailspinScanner", "Tailspin Scan-to-Folder",
     "\"" + PF + "Tailspin\\Scan\\scan2folder.exe\" --watch \"\\\\fs01\\scans\"", "auto",
     "CORP\\svc-scan", "Legt Scans der Multifunktionsgeräte im Ordner \\\\fs01\\scans ab "
     "(Dateinamen: „Scan_<Datum>.pdf“).",
     {"deps": ["LanmanWorkstation"], "state": "running", "stop": 500}),
    ("ProseWareHealth", "Proseware Hardware Health",
     "\"" + PF + "Proseware\\Health\\pwhealth.exe\"", "auto", LS,
     "Reports fan, temperature and RAID controller state to the Proseware console.",
     {"state": "running", "fail": ("custom", 86400, [(RESTART, 60000)])}),
    ("ProseWareRaid", "Proseware RAID Event Service",
     "\"" + PF + "Proseware\\Health\\raidevt.exe\" -s", "auto", LS,
     "Writes RAID controller events to the Windows event log.",
     {"deps": ["ProseWareHealth", "EventLog"], "state": "running"}),
    ("HumongousSync", "Humongous File Sync",
     "\"" + PF + "Humongous Insurance\\File Sync\\hsync.exe\" -service", "delayed",
     "CORP\\svc-hsync", "Synchronises the share D:\\Claims with the head office.",
     {"deps": ["LanmanServer", "LanmanWorkstation"], "state": "stopped"}),
    ("GraphicDesignLicense", "Graphic Design Institute License Helper",
     "\"C:\\Program Files (x86)\\Graphic Design Institute\\lichelper.exe\"", "disabled",
     LS, "No longer needed since the license server was moved.", {}),
    ("WingtipToysAgent", "Wingtip Toys Inventory Agent",
     "\"" + PF + "Wingtip Toys\\Inventory\\wtagent.exe\" --server inventory.wingtip.example "
     "--interval 900", "delayed", NSVC,
     "Sends the hardware and software inventory to inventory.wingtip.example every 15 "
     "minutes.", {"state": "running", "sid": 1}),
    ("CohoWinery.Print", "Coho Vineyard Print Router",
     "\"" + PF + "Coho\\PrintRouter\\cohoprint.exe\"", "auto", LS,
     "Routes print jobs from the order system to the warehouse printers.",
     {"deps": ["Spooler"], "state": "running", "stop": 800}),
    ("TreyResearchDataCollector", "Trey Research Data Collector",
     "\"" + PF + "Trey Research\\Collector\\collector.exe\" -config collector.xml", "demand",
     LSVC, "Collects measurement data from the lab devices on COM3 and COM4.", {}),
    ("BlueYonderSftp", "Blue Yonder SFTP Gateway",
     "\"" + PF + "Blue Yonder\\SFTP Gateway\\sftpgw.exe\" --service", "auto", NSVC,
     "Provides SFTP access to the exchange folder for partners.",
     {"deps": ["Tcpip"], "state": "running", "sid": 3}),
    ("FourthCoffeeKiosk", "Fourth Coffee Kiosk Service",
     "\"" + PF + "Fourth Coffee\\Kiosk\\kiosksvc.exe\"", "disabled", LS,
     "Runs the ordering kiosk application.", {}),
    ("AlpineSkiHouseVpn", "Alpine Ski House VPN Helper",
     "\"" + PF + "Alpine Ski House\\VPN\\ashvpn.exe\" -service", "demand", LS,
     "Sets up the site-to-site tunnel to the ski lodges on demand.",
     {"deps": ["RasMan", "Tcpip"]}),
]

# Drivers are part of the manager's database but never listed as Win32 services.
DRIVERS = [
    ("Afd", "Ancillary Function Driver for Winsock", 1, "system", "PNP_TDI",
     "\\SystemRoot\\system32\\drivers\\afd.sys"),
    ("Tcpip", "TCP/IP Protocol Driver", 1, "boot", "PNP_TDI",
     "\\SystemRoot\\System32\\drivers\\tcpip.sys"),
    ("NetBT", "NetBT", 1, "system", "PNP_TDI", "\\SystemRoot\\System32\\drivers\\netbt.sys"),
    ("HTTP", "HTTP Service", 1, "demand", "", "\\SystemRoot\\system32\\drivers\\HTTP.sys"),
    ("Ntfs", "Ntfs", 2, "demand", "Boot File System", ""),
    ("Mup", "Mup", 2, "boot", "Network", "\\SystemRoot\\System32\\Drivers\\mup.sys"),
    ("MRxSmb20", "SMB 2.0 MiniRedirector", 2, "demand", "Network",
     "\\SystemRoot\\system32\\DRIVERS\\mrxsmb20.sys"),
    ("Bowser", "Browser", 2, "demand", "Network",
     "\\SystemRoot\\system32\\DRIVERS\\bowser.sys"),
    ("mpsdrv", "Windows Defender Firewall Authorization Driver", 1, "demand", "",
     "\\SystemRoot\\System32\\drivers\\mpsdrv.sys"),
    ("nsiproxy", "NSI Proxy Service Driver", 1, "system", "",
     "\\SystemRoot\\system32\\drivers\\nsiproxy.sys"),
    ("Srv2", "Server SMB 2.xxx Driver", 2, "demand", "Network",
     "System32\\DRIVERS\\srv2.sys"),
]


def stable(name, low, high):
    """A number from low to high that depends only on the name."""
    digest = int(hashlib.sha256(name.encode()).hexdigest()[:8], 16)
    return low + digest % (high - low + 1)


def failure_actions(name, kind):
    if kind is None:
        return None
    if isinstance(kind, tuple):
        _, reset, actions = kind
        return {"resetPeriod": reset,
                "actions": [{"type": t, "delayMs": d} for t, d in actions]}
    if kind == "reboot":
        return {"resetPeriod": 86400, "actions": [{"type": REBOOT, "delayMs": 60000}]}
    # Windows' usual recovery for its own services: restart twice, then nothing.
    delay = 10000 if stable(name, 0, 1) else 60000
    return {"resetPeriod": 86400,
            "actions": [{"type": RESTART, "delayMs": delay},
                        {"type": RESTART, "delayMs": delay}, {"type": 0, "delayMs": 0}]}


def service(name, display, service_type, start, binary, account, description, options):
    entry = {
        "name": name,
        "displayName": display,
        "serviceType": service_type,
        "startType": START[start],
        "errorControl": options.get("error", 1),
        "delayedAutoStart": start == "delayed" or options.get("delayedFlag", False),
        "binaryPath": binary,
        "loadOrderGroup": options.get("group", ""),
        "dependencies": options.get("deps", []),
        "account": account,
        "description": description,
    }
    default_failure = "restart" if stable(name + "/fail", 0, 2) else None
    failure = failure_actions(name, options.get("fail", default_failure))
    if failure:
        if options.get("command"):
            failure["command"] = options["command"]
        if options.get("reboot"):
            failure["rebootMessage"] = options["reboot"]
        entry["failureActions"] = failure
    entry["sidType"] = options.get("sid", 0)
    if options.get("pre"):
        entry["preshutdownTimeoutMs"] = options["pre"]
    if options.get("privileges") is not None:
        entry["requiredPrivileges"] = options["privileges"]
    if options.get("launchProtected"):
        entry["launchProtected"] = options["launchProtected"]
    state = options.get("state", "stopped")
    entry["state"] = state
    entry["stopTimeMs"] = options.get("stop", stable(name + "/stop", 2, 12) * 100)
    return entry


def main():
    services = []
    for name, display, group, start, description, options in SVCHOST:
        account = GROUP_ACCOUNTS.get(group, GROUP_ACCOUNTS.get(group.lower(), LSVC))
        if group.lower() == "localservice":
            account = LSVC
        options = dict(options)
        options.setdefault("sid", 1 if "Restricted" in group else stable(name, 0, 1))
        options["privileges"] = sorted(set(PRIVILEGES[account] + options.get("privs", [])))
        binary = SYS32 + "svchost.exe -k " + group + (" -p" if stable(name, 0, 3) else "")
        if start == "auto":
            options.setdefault("state", "running")
        services.append(service(name, display, SHARE, start, binary, account, description,
                                options))

    for name, display, group, start, description in USER_TEMPLATES:
        services.append(service(name, display, USER_SHARE, start,
                                SYS32 + "svchost.exe -k " + group + " -p", LS, description,
                                {"sid": 1}))

    for name, display, binary, start, account, description, options in \
            OWN_PROCESS + THIRD_PARTY:
        service_type = SHARE if options.get("share") else OWN
        if options.get("interactive"):
            service_type |= INTERACTIVE
        options = dict(options)
        if "privs" in options:
            options["privileges"] = options["privs"]
        if start == "auto":
            options.setdefault("state", "running")
        services.append(service(name, display, service_type, start, binary, account,
                                description, options))

    for name, display, driver_type, start, group, binary in DRIVERS:
        services.append({"name": name, "displayName": display, "serviceType": driver_type,
                         "startType": START[start], "errorControl": 1, "binaryPath": binary,
                         "loadOrderGroup": group, "state": "running" if start != "demand"
                         else "stopped"})

    # The manager lists services by name without regard to case.
    services.sort(key=lambda entry: entry["name"].upper())
    names = [entry["name"].upper() for entry in services]
    assert len(names) == len(set(names)), "duplicate service names"

    path = pathlib.Path(__file__).resolve().parent.parent / "resources" / "sample-services.json"
    text = json.dumps({"services": services}, ensure_ascii=False, indent=2)
    path.write_text(text + "\n", encoding="utf-8")
    win32 = sum(1 for entry in services if entry["serviceType"] & 0x30)
    print(f"{path}: {len(services)} entries, {win32} Win32 services")


if __name__ == "__main__":
    main()
