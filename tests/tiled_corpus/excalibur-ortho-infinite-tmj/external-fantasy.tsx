<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.10.2" name="external-fantasy" tilewidth="16" tileheight="16" tilecount="132" columns="12">
 <editorsettings>
  <export target="external-fantasy.tsj" format="json"/>
 </editorsettings>
 <image source="tilemap_packed.png" width="192" height="176"/>
 <tile id="93" type="TilesetClass">
  <properties>
   <property name="item" value="test"/>
   <property name="tileset" value="prop"/>
  </properties>
  <objectgroup draworder="index" id="2">
   <object id="1" type="coin" x="3.27273" y="11.6364">
    <polygon points="0,0 -0.272727,-8.18182 1.54545,-9.90909 7.36364,-9.90909 9.72727,-7.72727 9.72727,0.545455 7.63636,2.27273 2,2.27273"/>
   </object>
  </objectgroup>
 </tile>
 <tile id="95">
  <objectgroup draworder="index" id="2">
   <object id="1" x="2" y="2" width="12" height="14"/>
  </objectgroup>
 </tile>
 <tile id="105">
  <objectgroup draworder="index" id="2">
   <object id="1" x="3.45455" y="15.2727">
    <polygon points="0,0 -3.09091,-3.18182 -2.72727,-7.36364 8.27273,-14.4545 12.5455,-11.7273 12.5455,-5.54545 4.27273,-0.0909091"/>
   </object>
  </objectgroup>
 </tile>
</tileset>
