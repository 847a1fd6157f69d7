# A settings file broken around the game's section, as a crash or a careless
# hand may leave it: the broken lines are ignored.
file(READ $ENV{TESSALY_CASE_CONFIG}/settings.ini settings)
string(ASCII 255 254 1 junk)
file(WRITE $ENV{TESSALY_CASE_CONFIG}/settings.ini
     "${junk} not a setting\n[CK1\nfolder = nowhere\n[DD2]\nfolder\n${settings}\n= no key\n")
