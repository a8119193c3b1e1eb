<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CSearchDlg</name>
    <message>
        <source>%1 pcs</source>
        <translation>%1 Stk.</translation>
    </message>
    <message>
        <source>The kernel dropped answers during this search: the list may lack devices.</source>
        <translation>Der Kernel hat während dieser Suche Antworten verworfen: In der Liste können Geräte fehlen.</translation>
    </message>
    <message>
        <source>The clipboard is in use by another program; please try again.</source>
        <translation>Die Zwischenablage wird von einem anderen Programm benutzt; bitte noch einmal versuchen.</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-Dateien</translation>
    </message>
    <message>
        <source>JSON files</source>
        <translation>JSON-Dateien</translation>
    </message>
    <message>
        <source>Export list</source>
        <translation>Liste exportieren</translation>
    </message>
    <message>
        <source>The list was written to %1.</source>
        <translation>Die Liste wurde in %1 geschrieben.</translation>
    </message>
</context>
<context>
    <name>SystemMenu</name>
    <message>
        <source>Mi&amp;nimize</source>
        <translation>Mi&amp;nimieren</translation>
    </message>
    <message>
        <source>&amp;Close	Alt+F4</source>
        <translation>&amp;Schließen	Alt+F4</translation>
    </message>
</context>
<context>
    <name>assign_text</name>
    <message>
        <source>To be sent</source>
        <translation>Zu senden</translation>
    </message>
    <message>
        <source>Not sent: %1</source>
        <translation>Nicht gesendet: %1</translation>
    </message>
    <message>
        <source>Not sent: cancelled.</source>
        <translation>Nicht gesendet: abgebrochen.</translation>
    </message>
    <message>
        <source>DHCP</source>
        <translation>DHCP</translation>
    </message>
    <message>
        <source>Enter the first IP address of the plan.</source>
        <translation>Bitte die erste IP-Adresse des Plans eingeben.</translation>
    </message>
    <message>
        <source>No camera is checked.</source>
        <translation>Keine Kamera ist ausgewählt.</translation>
    </message>
    <message>
        <source>%1 of the %2 checked cameras can be sent their settings: check the plan, then press Apply.</source>
        <translation>%1 der %2 ausgewählten Kameras können ihre Einstellungen erhalten: Plan prüfen, dann Anwenden drücken.</translation>
    </message>
    <message>
        <source>Imported from %1; each row that cannot be sent says why.</source>
        <translation>Aus %1 eingelesen; jede Zeile, die nicht gesendet werden kann, nennt den Grund.</translation>
    </message>
    <message>
        <source>The plan was written to %1.</source>
        <translation>Der Plan wurde in %1 geschrieben.</translation>
    </message>
    <message>
        <source>The plan holds no checked camera that can be sent its settings.</source>
        <translation>Der Plan enthält keine ausgewählte Kamera, die ihre Einstellungen erhalten kann.</translation>
    </message>
    <message>
        <source>Send the new settings to these %1 cameras?</source>
        <translation>Die neuen Einstellungen an diese %1 Kameras senden?</translation>
    </message>
    <message>
        <source>Sending the settings: camera %1 of %2...</source>
        <translation>Einstellungen werden gesendet: Kamera %1 von %2...</translation>
    </message>
    <message>
        <source>Cancelling: the camera under way is told first.</source>
        <translation>Abbruch: Die Kamera in Arbeit wird noch abgewartet.</translation>
    </message>
    <message>
        <source>No camera is listed: search first.</source>
        <translation>Keine Kamera in der Liste: bitte zuerst suchen.</translation>
    </message>
    <message>
        <source>Import plan</source>
        <translation>Plan einlesen</translation>
    </message>
    <message>
        <source>Export plan</source>
        <translation>Plan speichern</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-Dateien</translation>
    </message>
    <message>
        <source>%1 of %2 cameras took their settings. The main window searches again and lists them where they are now.</source>
        <translation>%1 von %2 Kameras haben ihre Einstellungen übernommen. Das Hauptfenster sucht erneut und zeigt sie an ihren neuen Adressen.</translation>
    </message>
    <message>
        <source>Cancelled after %1 of %2 cameras; the others were not sent anything. The main window searches again.</source>
        <translation>Abgebrochen nach %1 von %2 Kameras; den übrigen wurde nichts gesendet. Das Hauptfenster sucht erneut.</translation>
    </message>
</context>
<context>
    <name>device_list_menu</name>
    <message>
        <source>Copy row	Ctrl+C</source>
        <translation>Zeile kopieren	Strg+C</translation>
    </message>
    <message>
        <source>Copy IP address</source>
        <translation>IP-Adresse kopieren</translation>
    </message>
    <message>
        <source>Copy MAC address</source>
        <translation>MAC-Adresse kopieren</translation>
    </message>
    <message>
        <source>Open web page	F4</source>
        <translation>Webseite öffnen	F4</translation>
    </message>
    <message>
        <source>Export list...	Ctrl+S</source>
        <translation>Liste exportieren...	Strg+S</translation>
    </message>
    <message>
        <source>Assign addresses...</source>
        <translation>Adressen vergeben...</translation>
    </message>
</context>
<context>
    <name>std</name>
    <message>
        <source>Another device in the list announces the same IP address.</source>
        <translation>Ein anderes Gerät in der Liste meldet dieselbe IP-Adresse.</translation>
    </message>
    <message>
        <source>The IP address is one of this PC&apos;s.</source>
        <translation>Die IP-Adresse gehört diesem PC.</translation>
    </message>
    <message>
        <source>The IP address is outside this PC&apos;s subnets: reachable by this tool, not by a browser.</source>
        <translation>Die IP-Adresse liegt außerhalb der Subnetze dieses PCs: erreichbar für dieses Programm, nicht für einen Browser.</translation>
    </message>
</context>
<context>
    <name>vf::core</name>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>DeviceName</source>
        <translation>Gerätename</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>HTTP port</source>
        <translation>HTTP-Port</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Firmware version</source>
        <translation>Firmware-Version</translation>
    </message>
</context>
<context>
    <name>vf::core::text</name>
    <message>
        <source>About Vellafind(&amp;A)...</source>
        <translation>Über Vellafind(&amp;A)...</translation>
    </message>
    <message>
        <source>Tips</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Ask</source>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Failed to initialize.</source>
        <translation>Start fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Please select one device from list.</source>
        <translation>Bitte ein Gerät aus der Liste wählen.</translation>
    </message>
    <message>
        <source>Are you sure to update the selected device?</source>
        <translation>Das gewählte Gerät wirklich ändern?</translation>
    </message>
    <message>
        <source>Entered the wrong IP address.</source>
        <translation>Die IP-Adresse ist ungültig.</translation>
    </message>
    <message>
        <source>Entered the wrong subnet mask.</source>
        <translation>Die Netzmaske ist ungültig.</translation>
    </message>
    <message>
        <source>Entered the wrong gateway.</source>
        <translation>Das Gateway ist ungültig.</translation>
    </message>
    <message>
        <source>The same as one IP among of this local PC.</source>
        <translation>Diese IP-Adresse hat schon dieser PC.</translation>
    </message>
    <message>
        <source>Device information successfully updated!</source>
        <translation>Die Geräteeinstellungen wurden geändert!</translation>
    </message>
    <message>
        <source>The account or password for watching is wrong!</source>
        <translation>Benutzername oder Passwort ist falsch!</translation>
    </message>
    <message>
        <source>Device is restarting...,Please try again later.</source>
        <translation>Das Gerät startet neu...,bitte später noch einmal versuchen.</translation>
    </message>
    <message>
        <source>DDNS is setted successfully.</source>
        <translation>DDNS wurde eingestellt.</translation>
    </message>
    <message>
        <source>Failure: DDNS filed is empty.</source>
        <translation>Fehler: Das DDNS-Feld ist leer.</translation>
    </message>
    <message>
        <source>This device information is destroyed.</source>
        <translation>Die Angaben dieses Geräts sind beschädigt.</translation>
    </message>
    <message>
        <source>Failure to set DDNS.</source>
        <translation>DDNS konnte nicht eingestellt werden.</translation>
    </message>
    <message>
        <source>Entered the wrong DNS server.</source>
        <translation>Der DNS-Server ist ungültig.</translation>
    </message>
    <message>
        <source>Entered the wrong http port (1-65535).</source>
        <translation>Der HTTP-Port ist ungültig (1-65535).</translation>
    </message>
    <message>
        <source>The device reported an invalid MAC address; nothing was sent.</source>
        <translation>Das Gerät meldet eine ungültige MAC-Adresse; nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>The device refused the command.</source>
        <translation>Das Gerät hat den Befehl abgelehnt.</translation>
    </message>
    <message>
        <source>The command could not be sent.</source>
        <translation>Der Befehl konnte nicht gesendet werden.</translation>
    </message>
    <message>
        <source>The device reported an invalid device id; nothing was sent.</source>
        <translation>Das Gerät meldet eine ungültige Geräte-ID; nichts wurde gesendet.</translation>
    </message>
    <message>
        <source>No answer from the device within %1 s.</source>
        <translation>Keine Antwort vom Gerät innerhalb von %1 s.</translation>
    </message>
    <message>
        <source>The network settings were taken, the http port was not:</source>
        <translation>Die Netzwerkeinstellungen wurden übernommen, der HTTP-Port nicht:</translation>
    </message>
    <message>
        <source>The device has not answered the last command yet; please try again later.</source>
        <translation>Das Gerät hat auf den letzten Befehl noch nicht geantwortet; bitte später erneut versuchen.</translation>
    </message>
    <message>
        <source>Entered an IP address no device can use (loopback, multicast or broadcast).</source>
        <translation>Eine IP-Adresse eingegeben, die kein Gerät nutzen kann (Loopback, Multicast oder Broadcast).</translation>
    </message>
    <message>
        <source>Entered the network or broadcast address of the subnet as the IP address.</source>
        <translation>Als IP-Adresse die Netz- oder Broadcast-Adresse des Subnetzes eingegeben.</translation>
    </message>
    <message>
        <source>An IP address and a subnet mask are needed, also with DHCP on.</source>
        <translation>Eine IP-Adresse und eine Subnetzmaske werden auch mit DHCP benötigt.</translation>
    </message>
    <message>
        <source>The http ports 8002 and 55555 are kept by the devices; enter another port.</source>
        <translation>Die HTTP-Ports 8002 und 55555 sind den Geräten vorbehalten; bitte einen anderen Port eingeben.</translation>
    </message>
    <message>
        <source>The device announced an address or http port that cannot be opened.</source>
        <translation>Das Gerät hat eine Adresse oder einen HTTP-Port gemeldet, der sich nicht öffnen lässt.</translation>
    </message>
    <message>
        <source>The viewing account or password cannot hold a line break or another control character.</source>
        <translation>Benutzerkonto oder Passwort darf keinen Zeilenumbruch und kein anderes Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>The viewing account cannot hold a colon: the device would split it there.</source>
        <translation>Das Benutzerkonto darf keinen Doppelpunkt enthalten: Das Gerät würde es dort trennen.</translation>
    </message>
    <message>
        <source>The viewing account and password hold at most 64 characters each.</source>
        <translation>Benutzerkonto und Passwort dürfen je höchstens 64 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>Two answers claim this camera (%1): another host may be speaking for it, so nothing was sent.</source>
        <translation>Zwei Antworten geben sich als diese Kamera aus (%1): Möglicherweise spricht ein anderer Rechner für sie, daher wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The IP address %1 is announced by another device. Send the settings all the same?</source>
        <translation>Die IP-Adresse %1 wird von einem anderen Gerät gemeldet. Die Einstellungen trotzdem senden?</translation>
    </message>
    <message>
        <source>%1 is not an IPv4 address.</source>
        <translation>%1 ist keine IPv4-Adresse.</translation>
    </message>
    <message>
        <source>%1 is not a subnet mask.</source>
        <translation>%1 ist keine Subnetzmaske.</translation>
    </message>
    <message>
        <source>No adapter of this PC is in the subnet of %1: give a subnet mask and a gateway.</source>
        <translation>Kein Adapter dieses PCs liegt im Subnetz von %1: bitte Subnetzmaske und Gateway angeben.</translation>
    </message>
    <message>
        <source>No gateway is known for the subnet of %1: give one.</source>
        <translation>Für das Subnetz von %1 ist kein Gateway bekannt: bitte eines angeben.</translation>
    </message>
    <message>
        <source>The plan runs out of addresses: %1</source>
        <translation>Dem Plan gehen die Adressen aus: %1</translation>
    </message>
    <message>
        <source>the IP address %1 is announced by another device</source>
        <translation>die IP-Adresse %1 wird von einem anderen Gerät gemeldet</translation>
    </message>
    <message>
        <source>row %1 gives the same address</source>
        <translation>Zeile %1 vergibt dieselbe Adresse</translation>
    </message>
    <message>
        <source>no device answered as %1</source>
        <translation>kein Gerät hat als %1 geantwortet</translation>
    </message>
    <message>
        <source>the device is on row %1 already</source>
        <translation>das Gerät steht schon in Zeile %1</translation>
    </message>
    <message>
        <source>dhcp is on or off, not %1</source>
        <translation>dhcp ist on oder off, nicht %1</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>The file could not be written: %1.</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>Restarting for the new http port.</source>
        <translation>Startet für den neuen HTTP-Port neu.</translation>
    </message>
</context>
<context>
    <name>vf::res</name>
    <message>
        <source>Local PC information:</source>
        <translation>Dieser PC:</translation>
    </message>
    <message>
        <source>Network adapter:</source>
        <translation>Netzwerkkarte:</translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation>IP-Adresse:</translation>
    </message>
    <message>
        <source>Subnet mask:</source>
        <translation>Netzmaske:</translation>
    </message>
    <message>
        <source>Gateway:</source>
        <translation>Gateway:</translation>
    </message>
    <message>
        <source>DNS1:</source>
        <translation>DNS1:</translation>
    </message>
    <message>
        <source>DNS2:</source>
        <translation>DNS2:</translation>
    </message>
    <message>
        <source>Device list:</source>
        <translation>Geräteliste:</translation>
    </message>
    <message>
        <source>0 pcs</source>
        <translation>0 Stk.</translation>
    </message>
    <message>
        <source>Device information:</source>
        <translation>Geräteangaben:</translation>
    </message>
    <message>
        <source>Device name:</source>
        <translation>Gerätename:</translation>
    </message>
    <message>
        <source>FirmwareSys-Ver:</source>
        <translation>System-Version:</translation>
    </message>
    <message>
        <source>FirmwareApp-Ver:</source>
        <translation>App-Version:</translation>
    </message>
    <message>
        <source>IP config.:</source>
        <translation>IP-Einstellung:</translation>
    </message>
    <message>
        <source>Set IP automatically</source>
        <translation>IP automatisch</translation>
    </message>
    <message>
        <source>IP address(&amp;I):</source>
        <translation>IP-Adresse(&amp;I):</translation>
    </message>
    <message>
        <source>Subnet mask(&amp;U):</source>
        <translation>Netzmaske(&amp;U):</translation>
    </message>
    <message>
        <source>Gateway(&amp;G):</source>
        <translation>Gateway(&amp;G):</translation>
    </message>
    <message>
        <source>DNS1(&amp;D):</source>
        <translation>DNS1(&amp;D):</translation>
    </message>
    <message>
        <source>DNS2(&amp;N):</source>
        <translation>DNS2(&amp;N):</translation>
    </message>
    <message>
        <source>Http port(&amp;P):</source>
        <translation>HTTP-Port(&amp;P):</translation>
    </message>
    <message>
        <source>Authentication:</source>
        <translation>Anmeldung:</translation>
    </message>
    <message>
        <source>Viewing Account:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Viewing Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Default factory settings</source>
        <translation>Werkseinstellungen</translation>
    </message>
    <message>
        <source>Update(F5)</source>
        <translation>Ändern(F5)</translation>
    </message>
    <message>
        <source>Device restarting...</source>
        <translation>Gerät startet neu...</translation>
    </message>
    <message>
        <source>Tips:</source>
        <translation>Tipps:</translation>
    </message>
    <message>
        <source>1&gt; This tool is only used within LAN,</source>
        <translation>1&gt; Nur im lokalen Netz (LAN) verwenden,</translation>
    </message>
    <message>
        <source>pc and device is within the same subnet.</source>
        <translation>PC und Gerät im selben Subnetz.</translation>
    </message>
    <message>
        <source>2&gt; Only the legit user can update  device informations.</source>
        <translation>2&gt; Nur Berechtigte können Geräte ändern.</translation>
    </message>
    <message>
        <source>DDNS:</source>
        <translation>DDNS:</translation>
    </message>
    <message>
        <source>DDNS Username:</source>
        <translation>DDNS-Benutzer:</translation>
    </message>
    <message>
        <source>DDNS Password:</source>
        <translation>DDNS-Passwort:</translation>
    </message>
    <message>
        <source>Platf.Domain:</source>
        <translation>Plattf.-Domain:</translation>
    </message>
    <message>
        <source>SetDDNS</source>
        <translation>DDNS setzen</translation>
    </message>
    <message>
        <source>Set the router</source>
        <translation>Router einstellen</translation>
    </message>
    <message>
        <source>Search(F3)</source>
        <translation>Suchen(F3)</translation>
    </message>
    <message>
        <source>Browse(F4)</source>
        <translation>Öffnen(F4)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Search and configuration tool for Quorin series</source>
        <translation>Such- und Einstellprogramm für die Quorin-Serie</translation>
    </message>
    <message>
        <source>About Vellafind</source>
        <translation>Über Vellafind</translation>
    </message>
    <message>
        <source>No program to open web pages was found; please open %1 in a browser.</source>
        <translation>Kein Programm zum Öffnen von Webseiten gefunden; bitte %1 im Browser öffnen.</translation>
    </message>
    <message>
        <source>Plan:</source>
        <translation>Plan:</translation>
    </message>
    <message>
        <source>Set IP automatically (DHCP) instead</source>
        <translation>Stattdessen IP automatisch (DHCP)</translation>
    </message>
    <message>
        <source>First IP address(&amp;F):</source>
        <translation>Erste IP-Adresse(&amp;F):</translation>
    </message>
    <message>
        <source>Make plan</source>
        <translation>Plan erstellen</translation>
    </message>
    <message>
        <source>Import plan...</source>
        <translation>Plan einlesen...</translation>
    </message>
    <message>
        <source>Export plan...</source>
        <translation>Plan speichern...</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Assign addresses</source>
        <translation>Adressen vergeben</translation>
    </message>
    <message>
        <source>Assign addresses...</source>
        <translation>Adressen vergeben...</translation>
    </message>
</context>
<context>
    <name>vf::ui</name>
    <message>
        <source>No.</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>DeviceName</source>
        <translation>Gerätename</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>New IP address</source>
        <translation>Neue IP-Adresse</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
</context>
<context>
    <name>vf::ui::backend</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
