<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.10.2" name="PeakTiles" tilewidth="32" tileheight="32" tilecount="12" columns="4">
 <image source="PeakTiles.png" width="128" height="96"/>
 <tile id="0"><properties><property name="wall" type="bool" value="true"/></properties></tile>
 <tile id="1"><properties><property name="wall" type="bool" value="true"/></properties></tile>
 <tile id="4"><properties><property name="wall" type="bool" value="true"/></properties></tile>
 <tile id="5">
  <animation>
   <frame tileid="5" duration="150"/>
   <frame tileid="6" duration="150"/>
   <frame tileid="7" duration="150"/>
  </animation>
 </tile>
 <tile id="8">
  <objectgroup draworder="index" id="2">
   <object id="1" x="0" y="0" width="32" height="16"/>
  </objectgroup>
 </tile>
 <tile id="9">
  <objectgroup draworder="index" id="2">
   <object id="1" x="0" y="0" width="32" height="16"/>
  </objectgroup>
 </tile>
 <tile id="10" type="deco">
  <properties><property name="DecoDamage" type="int" value="1"/></properties>
 </tile>
</tileset>
