[playlist]
NumberOfEntries=0x3
File1=/music/a.mp3
Title1=A
file0 = "b.mp3" 
; c
[other]
File2=x
