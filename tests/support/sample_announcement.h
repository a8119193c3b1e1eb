// A typical camera answer to SEARCH as it comes off the wire: 614 bytes
// carrying all 23 keys. Shared by the wire-format tests and the parse bench.
#pragma once

#include <string>

namespace vf::testing {

inline const std::string kSampleAnnouncement =
    "QNS/1.0 200 OK\r\n"
    "CSeq:1\r\n"
    "Client-ID:QwErTyUiOpAsDfGhJkLzXcVbNmQwErTy\r\n"
    "Content-Type:text/QNP\r\n"
    "Content-Length:501\r\n"
    "\r\n"
    "Device-ID=7F3A9C2E5B1D4F6A8C0E2B4D6F8A1C3E\r\n"
    "Device-Model=VF-IPC2130-IR\r\n"
    "Software-Version=V2.4.17.230411\r\n"
    "Web-Version=V1.9.3.230302\r\n"
    "Device-Name=\"Dock East\"\r\n"
    "Http-Port=8080\r\n"
    "IP=192.168.1.64\r\n"
    "MASK=255.255.255.0\r\n"
    "MAC=00:1A:2B:3C:4D:5E\r\n"
    "Gateway=192.168.1.1\r\n"
    "Dhcp=1\r\n"
    "Ddns=2\r\n"
    "Fdns=192.168.1.1\r\n"
    "Sdns=8.8.4.4\r\n"
    "DDNS-Enable=1\r\n"
    "DDNS-Host=members.dyndns.org\r\n"
    "DDNS-Port=30080\r\n"
    "DDNS-User=dockcam\r\n"
    "DDNS-Passwd=s3cret-Pass\r\n"
    "DDNS-Domain=dock-east.example.net\r\n"
    "C_Vendor=Northgate\r\n"
    "C_Product=NG-2130\r\n"
    "Device-Type=IPCAM\r\n";

}  // namespace vf::testing
