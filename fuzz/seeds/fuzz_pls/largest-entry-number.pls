[playlist]
NumberOfEntries=2147483647
File2147483647=last.mp3
File0=first.mp3
